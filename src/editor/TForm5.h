#pragma once

#include <QMainWindow>

namespace qnetica {

// The visual editor window; its scheme, tools and commands arrive with the editor.
class TForm5 : public QMainWindow {
    Q_OBJECT

  public:
    explicit TForm5(QWidget* parent = nullptr);
};

}  // namespace qnetica
