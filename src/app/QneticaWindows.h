#pragma once

#include <memory>

#include "ui/PlatformDialogs.h"
#include "ui/ProgramWindows.h"

namespace qnetica {

// The program's eleven windows, created in the order TForm1..TForm11 and kept until the end;
// they are destroyed in the reverse order, so the main window and its model go last.
class QneticaWindows {
  public:
    explicit QneticaWindows(PlatformDialogs& dialogs);
    ~QneticaWindows();
    QneticaWindows(const QneticaWindows&) = delete;
    QneticaWindows& operator=(const QneticaWindows&) = delete;

    const ProgramWindows& Windows() const { return windows_; }
    TForm1& MainWindow() const { return *windows_.Form1; }

  private:
    std::unique_ptr<TForm1> form1_;
    std::unique_ptr<TForm2> form2_;
    std::unique_ptr<TForm3> form3_;
    std::unique_ptr<TForm4> form4_;
    std::unique_ptr<TForm5> form5_;
    std::unique_ptr<TForm6> form6_;
    std::unique_ptr<TForm7> form7_;
    std::unique_ptr<TForm8> form8_;
    std::unique_ptr<TForm9> form9_;
    std::unique_ptr<TForm10> form10_;
    std::unique_ptr<TForm11> form11_;
    ProgramWindows windows_;
};

}  // namespace qnetica
