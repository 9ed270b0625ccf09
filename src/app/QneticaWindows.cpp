#include "app/QneticaWindows.h"

#include "charts/TForm10.h"
#include "charts/TForm9.h"
#include "editor/TForm11.h"
#include "editor/TForm5.h"
#include "ui/TForm1.h"
#include "ui/TForm2.h"
#include "ui/TForm3.h"
#include "ui/TForm4.h"
#include "ui/TForm6.h"
#include "ui/TForm7.h"
#include "ui/TForm8.h"

namespace qnetica {

QneticaWindows::QneticaWindows(PlatformDialogs& dialogs) {
    // The dialogs have the main window as parent, so that they open over it; the editor is a
    // main window of its own.
    form1_ = std::make_unique<TForm1>(dialogs);
    TForm1* main = form1_.get();
    NetworkModel& model = main->Model();
    form2_ = std::make_unique<TForm2>(model, dialogs, main);
    form3_ = std::make_unique<TForm3>(dialogs, main);
    form4_ = std::make_unique<TForm4>(main);
    form5_ = std::make_unique<TForm5>(model, dialogs);
    form6_ = std::make_unique<TForm6>(model, dialogs, main);
    form7_ = std::make_unique<TForm7>(model, dialogs, main);
    form8_ = std::make_unique<TForm8>(main);
    // The charts save their images through the editor's dialog, which remembers the folder.
    const ChartDialogs chartDialogs{dialogs, form5_->ImageDialog()};
    form9_ = std::make_unique<TForm9>(chartDialogs, main);
    form10_ = std::make_unique<TForm10>(chartDialogs, main);
    form10_->SetWorkFolder(&main->Work());  // the records of the main window's runs
    form11_ = std::make_unique<TForm11>(model, dialogs, main);
    windows_ = {main,         form2_.get(), form3_.get(), form4_.get(),  form5_.get(), form6_.get(),
                form7_.get(), form8_.get(), form9_.get(), form10_.get(), form11_.get()};
    main->SetWindows(windows_);
    form5_->SetWindows(windows_);
    // The editor's report and chart commands show what the last varied run left.
    form5_->SetVariationPlan(&main->Plan());
    form5_->SetStepTotals(&main->Totals());
    form11_->SetWindows(windows_);
}

// Members go in the reverse order of their declaration: TForm11 first, TForm1 last.
QneticaWindows::~QneticaWindows() = default;

}  // namespace qnetica
