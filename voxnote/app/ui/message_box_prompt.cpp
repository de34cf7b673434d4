#include "voxnote/app/ui/message_box_prompt.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QSortFilterProxyModel>
#include <QStandardPaths>

#include "voxnote/app/settings/string_table.h"

namespace voxnote {

namespace {

QString Caption(int id) { return QString::fromStdString(Text(id)); }

int ShowBox(QWidget* owner, QMessageBox::Icon icon, const std::string& text, QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, Caption(strings::kProgramTitle), QString::fromStdString(text), buttons, owner);
    box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    box.raise();
    box.activateWindow();
    return box.exec();
}

// Shows folders and, while the first filter is chosen, only the files that
// can be run: programs and scripts have no common name pattern here.
class ProgramFilesOnly : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void SetProgramsOnly(bool on) {
        programsOnly_ = on;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (!programsOnly_ || files == nullptr) {
            return true;
        }
        const QFileInfo info = files->fileInfo(files->index(row, 0, parent));
        return info.isDir() || info.isExecutable();
    }

private:
    bool programsOnly_ = true;
};

// The folder the system's programs are in, where most mixers are found.
QString ProgramsFolder() {
    const QString shell = QStandardPaths::findExecutable("sh");
    return shell.isEmpty() ? QString() : QFileInfo(shell).absolutePath();
}

}  // namespace

void MessageBoxPrompt::Report(MessageKind kind, const std::string& text) {
    ShowBox(owner_, kind == MessageKind::Information ? QMessageBox::Information : QMessageBox::Warning, text,
            QMessageBox::Ok);
}

bool MessageBoxPrompt::AskYesNo(const std::string& text) {
    return ShowBox(owner_, QMessageBox::Warning, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool MessageBoxPrompt::AskOkCancel(const std::string& text) {
    return ShowBox(owner_, QMessageBox::Warning, text, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

std::optional<std::string> MessageBoxPrompt::ChooseProgramFile() {
    QFileDialog dialog(owner_, Caption(strings::kChooseMixerTitle), ProgramsFolder());
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // Our own dialog, so that the filter can look at the files' permissions.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::ReadOnly, true);
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    const QString programs = Caption(strings::kMixerFilterPrograms);
    dialog.setNameFilters({programs, Caption(strings::kMixerFilterAllFiles)});
    auto* filter = new ProgramFilesOnly(&dialog);
    dialog.setProxyModel(filter);
    QObject::connect(&dialog, &QFileDialog::filterSelected, filter,
                     [filter, programs](const QString& chosen) { filter->SetProgramsOnly(chosen == programs); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().first().toStdString();
}

}  // namespace voxnote
