#include "stepweave/sequencer/ui/message_box_prompt.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace stepweave {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The dialog is the program's own (not the desktop's), so that it looks the
// same everywhere and keys reach it the same way.
std::string RunFileDialog(QWidget* owner, const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(owner, Q(request.title), Q(request.folder), Q(request.filter));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(mode);
    if (mode == QFileDialog::AcceptSave) {
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(Q(request.defaultSuffix));
        dialog.selectFile(Q(request.fileName));
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().front().toStdString();
}

}  // namespace

void MessageBoxPrompt::Notify(const std::string& text, const std::string& caption) {
    QMessageBox::information(owner_, Q(caption), Q(text), QMessageBox::Ok);
}

bool MessageBoxPrompt::ConfirmOkCancel(const std::string& text, const std::string& caption) {
    return QMessageBox::question(owner_, Q(caption), Q(text), QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Cancel) == QMessageBox::Ok;
}

void MessageBoxPrompt::ShowError(const std::string& text) {
    QMessageBox::critical(owner_, kProgramTitle, Q(text), QMessageBox::Ok);
}

bool MessageBoxPrompt::AskYesNo(const std::string& text, const std::string& caption) {
    return QMessageBox::question(owner_, Q(caption), Q(text), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

// Enter saves, Escape cancels.
UnsavedWorkAnswer MessageBoxPrompt::AskAboutUnsavedWork(const UnsavedWorkQuestion& question) {
    QMessageBox box(QMessageBox::Warning, kUnsavedWorkCaption, Q(question.text), QMessageBox::NoButton, owner_);
    box.setObjectName("UnsavedWorkQuestion");
    QPushButton* save = box.addButton(Q(question.saveButton), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton("Discard", QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton("Cancel", QMessageBox::RejectRole);
    save->setObjectName("Save");
    discard->setObjectName("Discard");
    cancel->setObjectName("Cancel");
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save) {
        return UnsavedWorkAnswer::Save;
    }
    return box.clickedButton() == discard ? UnsavedWorkAnswer::Discard : UnsavedWorkAnswer::Cancel;
}

std::string MessageBoxPrompt::ChooseFileToOpen(const FileDialogRequest& request) {
    return RunFileDialog(owner_, request, QFileDialog::AcceptOpen);
}

std::string MessageBoxPrompt::ChooseFileToSave(const FileDialogRequest& request) {
    return RunFileDialog(owner_, request, QFileDialog::AcceptSave);
}

}  // namespace stepweave
