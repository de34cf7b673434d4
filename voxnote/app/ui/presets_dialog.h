#pragma once
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "voxnote/app/session/converter_session.h"
#include "voxnote/app/settings/converter_settings.h"
#include "voxnote/app/shell/user_prompt.h"

namespace voxnote {

// The modal Presets dialog: a name field over the sorted list of the
// presets in the settings file, with Load, Save, Delete and Close. Load and
// Save end the dialog (the main window carries them out); Delete works at
// once and the dialog stays open. The Enter key outside the buttons ends it
// with no known operation.
class PresetsDialog : public QDialog {
    Q_OBJECT

public:
    using Operation = PresetOperation;

    PresetsDialog(ConverterSettings& settings, UserPrompt& prompt, const QString& startName, QWidget* parent);

    Operation Run();
    Operation ChosenOperation() const { return operation_; }
    QString ChosenName() const { return NameField->text(); }

    QLabel* NameLabel = nullptr;
    QLineEdit* NameField = nullptr;
    QListWidget* NameList = nullptr;
    QPushButton* LoadButton = nullptr;
    QPushButton* SaveButton = nullptr;
    QPushButton* DeleteButton = nullptr;
    QPushButton* CloseButton = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FillList();
    void End(Operation operation);
    void DeleteButtonClick();

    ConverterSettings& settings_;
    UserPrompt& prompt_;
    Operation operation_ = Operation::Close;
};

}  // namespace voxnote
