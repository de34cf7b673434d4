#include "stepweave/sequencer/ui/render_progress_window.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace stepweave {

RenderProgressWindow::RenderProgressWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle("Render");
    setFixedSize(kWidth, kHeight);
    nowAddingLabel = new QLabel("Now Adding:", this);
    nowAddingLabel->setObjectName("Label1");
    QFont large = nowAddingLabel->font();
    large.setBold(true);
    large.setPointSize(large.pointSize() + 7);
    nowAddingLabel->setFont(large);
    instrumentLabel = new QLabel(this);
    instrumentLabel->setObjectName("Label2");
    QFont name = instrumentLabel->font();
    name.setBold(true);
    name.setItalic(true);
    name.setPointSize(name.pointSize() + 3);
    instrumentLabel->setFont(name);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 12, 18, 12);
    layout->addWidget(nowAddingLabel);
    layout->addWidget(instrumentLabel);
}

void RenderProgressWindow::ShowCentred() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    show();
}

void RenderProgressWindow::ShowInstrument(const QString& name) { instrumentLabel->setText(name); }

}  // namespace stepweave
