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
    Label1 = new QLabel("Now Adding:", this);
    QFont large = Label1->font();
    large.setBold(true);
    large.setPointSize(large.pointSize() + 7);
    Label1->setFont(large);
    Label2 = new QLabel(this);
    QFont name = Label2->font();
    name.setBold(true);
    name.setItalic(true);
    name.setPointSize(name.pointSize() + 3);
    Label2->setFont(name);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 12, 18, 12);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
}

void RenderProgressWindow::ShowCentred() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    show();
}

void RenderProgressWindow::ShowInstrument(const QString& name) { Label2->setText(name); }

}  // namespace stepweave
