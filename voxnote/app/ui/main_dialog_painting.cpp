// How the main window paints itself: skin, controls, display fields and meter.
#include <QPaintEvent>
#include <QPainter>

#include "voxnote/app/display/main_window_layout.h"
#include "voxnote/app/display/note_name.h"
#include "voxnote/app/display/pitch_staff.h"
#include "voxnote/app/settings/string_table.h"
#include "voxnote/app/ui/main_dialog.h"
#include "voxnote/app/ui/artwork/skin_paint_kit.h"
#include "voxnote/app/ui/artwork/skin_painter_canvas.h"

namespace voxnote {

namespace {

// The display texts: note, scale and preset names; the slider values; the
// note name of the pitch display.
const QFont& NameFont() {
    static const QFont font = paint::DisplayFont(13);
    return font;
}
const QFont& ValueFont() {
    static const QFont font = paint::DisplayFont(11);
    return font;
}
const QFont& MeterFont() {
    static const QFont font = paint::DisplayFont(10);
    return font;
}

}  // namespace

void MainDialog::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    SkinPainterCanvas canvas(painter, artwork_, ValueFont());
    canvas.DrawBitmap(SkinArtwork::kBackground, {0, 0});
    PaintMeterArea(canvas);
    controls_.RedrawAll(canvas);
    PaintDisplayFields(canvas);
}

// A bound that is being learned shows the last detected note in red.
void MainDialog::PaintDisplayFields(SkinPainterCanvas& canvas) {
    static const QColor kLearningRed(255, 0, 0);
    const ConverterSettings& settings = session_->Settings();
    canvas.DrawDisplayText(layout::kPresetField, settings.PresetName(), NameFont());
    canvas.DrawDisplayText(layout::kScaleField, ScaleName(settings.Scale()), NameFont());
    const NoteRange range = settings.Range();
    const NoteLearn::Bound learning = session_->LearningBound();
    const int learnedNote = session_->LearningFieldNote();
    if (learning == NoteLearn::Bound::Maximum) {
        canvas.DrawDisplayText(layout::kMaximumNoteField, NoteFieldText(learnedNote), NameFont(), kLearningRed);
    } else {
        canvas.DrawDisplayText(layout::kMaximumNoteField, NoteFieldText(range.maximum), NameFont());
    }
    if (learning == NoteLearn::Bound::Minimum) {
        canvas.DrawDisplayText(layout::kMinimumNoteField, NoteFieldText(learnedNote), NameFont(), kLearningRed);
    } else {
        canvas.DrawDisplayText(layout::kMinimumNoteField, NoteFieldText(range.minimum), NameFont());
    }
}

void MainDialog::PaintMeterArea(SkinPainterCanvas& canvas) {
    if (displayMode_ == DisplayMode::Volume) {
        for (int segment = 0; segment < LevelMeter::kSegmentCount; ++segment) {
            canvas.DrawBitmap(meter_.SegmentBitmap(segment), LevelMeter::SegmentPosition(segment));
        }
        canvas.DrawBitmap(meter_.FirstIndicatorBitmap(), LevelMeter::kFirstIndicatorPosition);
        canvas.DrawBitmap(meter_.SecondIndicatorBitmap(), LevelMeter::kSecondIndicatorPosition);
        return;
    }
    const bool runActive = session_->IsRunActive();
    canvas.DrawBitmap(runActive ? 203 : 204, layout::kMeterArea.TopLeft());
    if (!runActive || !shownNote_) {
        return;
    }
    if (const auto placement = NoteHeadPlacement::ForNote(*shownNote_)) {
        canvas.DrawBitmap(placement->headBitmap, placement->head);
        if (placement->sharp) {
            canvas.DrawBitmap(NoteHeadPlacement::kSharpBitmap, placement->sharpPosition);
        }
        canvas.DrawDisplayText(layout::kPitchNoteNameField, NoteName(*shownNote_), MeterFont());
    }
}

}  // namespace voxnote
