#include "stepweave/sound/ui/kit_list_window.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/voices/kit_player.h"
#include "stepweave/sound/kit/kit_layout.h"
#include "stepweave/sound/ui/editor_choice.h"
#include "stepweave/sound/ui/tool_prompt.h"

namespace stepweave {

namespace {

constexpr std::array<const char*, 16> kCaptions = {"Kick",    "Short Kick", "Snare",   "ClsHiHat", "OpHiHat", "Tom1",
                                                   "Tom2",    "Cymbol1",    "Cymbol2", "Rimshot",  "Shaker",  "Block",
                                                   "Congo",   "Cowbell",    "Crack",   "Tamb"};
// The first nine (the drums) are bold, the percussion after them bold italic.
constexpr int kFirstItalic = 9;

}  // namespace

KitListWindow::KitListWindow(KitPlayer& kit, EditorChoice& editor, ToolPrompt& errors, QWidget* parent)
    : QWidget(parent, Qt::Tool), kit_(kit), editor_(editor), errors_(errors) {
    setWindowTitle("Kit List");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 2, 4);
    layout->setSpacing(0);
    for (int tag = 0; tag < static_cast<int>(instrumentLabels.size()); ++tag) {
        auto* label = new QLabel(kCaptions[static_cast<size_t>(tag)], this);
        QFont font = label->font();
        font.setBold(true);
        font.setItalic(tag >= kFirstItalic);
        font.setPointSize(8);
        label->setFont(font);
        label->setCursor(Qt::PointingHandCursor);
        label->setFixedHeight(kLabelPitch);
        label->setObjectName(QString("Label%1").arg(tag + 1));
        label->setProperty("tag", tag);
        label->installEventFilter(this);
        label->setToolTip(QString("Place %1 with the next click in the grid").arg(label->text()));
        layout->addWidget(label);
        instrumentLabels[static_cast<size_t>(tag)] = label;
    }
    setFixedSize(kWidth, sizeHint().height());
}

bool KitListWindow::eventFilter(QObject* watched, QEvent* event) {
    auto* label = qobject_cast<QLabel*>(watched);
    if (label != nullptr && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && label->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
        SelectInstrument(label);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// The label's tag t chooses kit instrument t + 1, and the editor's pan slider
// shows that instrument's pan.
void KitListWindow::SelectInstrument(QLabel* label) {
    const int tag = label->property("tag").toInt();
    const std::string name(kKitSlotNames[static_cast<size_t>(tag + 1)]);
    editor_.ChooseInstrument(name);
    try {
        editor_.ShowPan(kit_.Items().Find(name).Pan());
    } catch (const StepweaveError& error) {
        errors_.ShowError(error.what());
    }
}

}  // namespace stepweave
