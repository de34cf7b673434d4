#include "stepweave/sequencer/ui/stepweave_look.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QStyleFactory>

namespace stepweave::look {

namespace {

QPalette DarkPalette() {
    QPalette palette;
    palette.setColor(QPalette::Window, kWindow);
    palette.setColor(QPalette::WindowText, kText);
    palette.setColor(QPalette::Base, kField);
    palette.setColor(QPalette::AlternateBase, kPanel);
    palette.setColor(QPalette::ToolTipBase, kPanel);
    palette.setColor(QPalette::ToolTipText, kText);
    palette.setColor(QPalette::Text, kText);
    palette.setColor(QPalette::Button, kPanel);
    palette.setColor(QPalette::ButtonText, kText);
    palette.setColor(QPalette::BrightText, kAccent);
    palette.setColor(QPalette::Highlight, kSelection);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::PlaceholderText, kDimText);
    // Disabled controls must look disabled: their texts fade into the panel.
    const QColor faded(0x5c, 0x63, 0x6d);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, faded);
    }
    palette.setColor(QPalette::Disabled, QPalette::Button, QColor(0x22, 0x25, 0x2b));
    palette.setColor(QPalette::Disabled, QPalette::Base, QColor(0x1a, 0x1c, 0x20));
    return palette;
}

// Buttons, lists and fields in the dark studio look; the play buttons carry
// the accent. Captions (labels marked "caption") are small and dim.
constexpr const char* kStyleSheet = R"(
QPushButton { background: #2c3139; border: 1px solid #3c434d; border-radius: 4px; padding: 2px 6px; }
QPushButton:hover { background: #353b45; border-color: #4a525e; }
QPushButton:pressed { background: #1f2329; }
QPushButton:disabled { background: #22252b; border-color: #2c3036; color: #5c636d; }
QPushButton[transport="true"] { border-color: #a8582a; }
QPushButton[transport="true"]:disabled { border-color: #2c3036; }
QToolButton { background: #2c3139; border: 1px solid #3c434d; border-radius: 3px; }
QToolButton:hover { background: #353b45; }
QListWidget, QLineEdit, QComboBox, QSpinBox { background: #14161a; border: 1px solid #34393f; border-radius: 3px; }
QLineEdit:disabled { color: #8a929c; background: #1a1c20; }
QListWidget::item:selected { background: #4a7dff; color: white; }
QCheckBox::indicator { width: 12px; height: 12px; border: 1px solid #6a7380; border-radius: 2px; background: #14161a; }
QCheckBox::indicator:checked { background: #ff8a3d; border-color: #ff8a3d; }
QRadioButton::indicator { width: 11px; height: 11px; border: 1px solid #6a7380; border-radius: 6px; background: #14161a; }
QRadioButton::indicator:checked { background: #ff8a3d; border-color: #ff8a3d; }
QListWidget::indicator { width: 11px; height: 11px; border: 1px solid #6a7380; border-radius: 2px; background: #14161a; }
QListWidget::indicator:checked { background: #ff8a3d; border-color: #ff8a3d; }
QCheckBox::indicator:disabled { border-color: #3a3f47; }
QLabel[caption="true"] { color: #959ea9; font-size: 8pt; }
QProgressBar { background: #14161a; border: none; }
QProgressBar::chunk { background: #ff8a3d; }
QMenuBar { background: #181a1f; }
QMenuBar::item:selected { background: #2c3139; }
QMenu { background: #22252b; border: 1px solid #34393f; }
QMenu::item:selected { background: #4a7dff; }
QMenu::item:disabled { color: #5c636d; }
QStatusBar, QLabel#StatusLine { color: #959ea9; }
)";

QPixmap GlyphPixmap(Glyph glyph, const QColor& colour) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    switch (glyph) {
        case Glyph::Play:
            painter.drawPolygon(QPolygonF({QPointF(4, 2), QPointF(14, 8), QPointF(4, 14)}));
            break;
        case Glyph::Stop:
            painter.drawRoundedRect(QRectF(3, 3, 10, 10), 1.5, 1.5);
            break;
        case Glyph::ArrowRight:
            painter.drawPolygon(QPolygonF({QPointF(2, 6), QPointF(8, 6), QPointF(8, 2), QPointF(14, 8),
                                           QPointF(8, 14), QPointF(8, 10), QPointF(2, 10)}));
            break;
        case Glyph::ArrowLeft:
            painter.drawPolygon(QPolygonF({QPointF(14, 6), QPointF(8, 6), QPointF(8, 2), QPointF(2, 8),
                                           QPointF(8, 14), QPointF(8, 10), QPointF(14, 10)}));
            break;
        case Glyph::Bin:
            painter.drawRect(QRectF(3, 3, 10, 2));
            painter.drawRect(QRectF(6, 1, 4, 2));
            painter.drawRoundedRect(QRectF(4, 6, 8, 9), 1, 1);
            break;
    }
    return pixmap;
}

}  // namespace

QIcon GlyphIcon(Glyph glyph) {
    QIcon icon;
    const QColor colour = glyph == Glyph::Play ? kAccent : (glyph == Glyph::Bin ? QColor(0xe0, 0x6c, 0x6c) : kText);
    icon.addPixmap(GlyphPixmap(glyph, colour), QIcon::Normal);
    icon.addPixmap(GlyphPixmap(glyph, QColor(0x5c, 0x63, 0x6d)), QIcon::Disabled);
    return icon;
}

void ApplyTo(QApplication& application) {
    if (QStyle* fusion = QStyleFactory::create("Fusion")) {
        application.setStyle(fusion);
    }
    application.setPalette(DarkPalette());
    QFont font = application.font();
    font.setPointSize(9);
    application.setFont(font);
    application.setStyleSheet(kStyleSheet);
}

QPixmap Logo(int width, int height) {
    QPixmap logo(width, height);
    logo.fill(Qt::transparent);
    QPainter painter(&logo);
    painter.setRenderHint(QPainter::Antialiasing);
    // Four steps of a beat, the first one lit.
    const int cell = height / 3;
    const int top = (height - cell) / 2;
    for (int step = 0; step < 4; ++step) {
        const QRectF pad(2 + step * (cell + 2), top, cell, cell);
        painter.setPen(Qt::NoPen);
        painter.setBrush(step == 0 ? kAccent : (step == 2 ? kSampleAccent : kGridLine));
        painter.drawRoundedRect(pad, 2, 2);
    }
    const int textLeft = 4 + 4 * (cell + 2);
    if (width - textLeft < 60) {
        return logo;
    }
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(height / 2);
    painter.setFont(font);
    painter.setPen(kText);
    painter.drawText(QRect(textLeft, 0, width - textLeft, height), Qt::AlignVCenter | Qt::AlignLeft, "stepweave");
    return logo;
}

}  // namespace stepweave::look
