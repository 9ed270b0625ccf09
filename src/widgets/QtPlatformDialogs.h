#pragma once

#include "widgets/PlatformDialogs.h"

namespace qnetica {

// The platform's own boxes and dialogs: QMessageBox, QFileDialog, QDesktopServices.
class QtPlatformDialogs : public PlatformDialogs {
  public:
    MessageBoxAnswer ShowMessage(QWidget* parent, MessageBoxKind kind, const QString& text,
                                 MessageBoxButtons buttons) override;
    std::optional<FileDialogAnswer> AskOpenFile(QWidget* parent,
                                                const FileDialogRequest& request) override;
    std::optional<FileDialogAnswer> AskSaveFile(QWidget* parent,
                                                const FileDialogRequest& request) override;
    bool OpenDocument(const QString& path, DocumentWindow window) override;
    void ShowModal(QWidget& window) override;
};

}  // namespace qnetica
