#include "stepweave/sound/ui/samples_window.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <filesystem>

namespace stepweave {

namespace {

constexpr int kNumberLeft = 4;
constexpr int kButtonLeft = 24;
constexpr int kButtonWidth = 60;
constexpr int kButtonHeight = 22;
constexpr int kNumberFontSize = 12;

// The local WAV file a drag carries, or "" when it carries none.
QString DroppedWaveFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().isEmpty() || !data->urls().front().isLocalFile()) {
        return {};
    }
    const QString path = data->urls().front().toLocalFile();
    return path.endsWith(".wav", Qt::CaseInsensitive) ? path : QString();
}

}  // namespace

QString SampleButtonCaption(const std::string& fileName) {
    const std::string name = std::filesystem::path(fileName).filename().string();
    const std::string stem = name.size() > 4 ? name.substr(0, name.size() - 4) : std::string();
    return QString::fromStdString(stem.substr(0, 8));
}

int SamplesWindow::RowTop(int sample) { return (sample - 1) * kRowPitch + (sample - 1) / 4 * kGroupGap; }

SamplesWindow::SamplesWindow(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setWindowTitle("Samples");
    auto* caption = new QLabel("Active Sample", this);
    activeSampleLabel = new QLabel("1", this);
    activeSampleLabel->setObjectName("Label1");
    QFont bold = activeSampleLabel->font();
    bold.setBold(true);
    activeSampleLabel->setFont(bold);
    auto* header = new QHBoxLayout;
    header->addWidget(caption);
    header->addWidget(activeSampleLabel);
    header->addStretch();

    auto* panel = new QWidget;
    for (int sample = 1; sample <= kSamples; ++sample) {
        auto* number = new QLabel(QString::number(sample), panel);
        QFont font = number->font();
        font.setPixelSize(kNumberFontSize);
        number->setFont(font);
        number->setGeometry(kNumberLeft, RowTop(sample), kButtonLeft - kNumberLeft, kButtonHeight);
        auto* button = new QPushButton(QString("Sample %1").arg(sample), panel);
        button->setGeometry(kButtonLeft, RowTop(sample), kButtonWidth, kButtonHeight);
        QFont small = button->font();
        small.setPixelSize(10);
        button->setFont(small);
        button->setStyleSheet("padding: 1px 2px;");
        button->setProperty("tag", sample);
        button->setAcceptDrops(true);
        button->installEventFilter(this);
        button->setToolTip("Choose this sample; drop a WAV file here to load it");
        connect(button, &QPushButton::clicked, this, [this, sample] {
            ShowActive(sample);
            if (OnSelectSample) {
                OnSelectSample(sample);
            }
        });
        buttons_[static_cast<size_t>(sample - 1)] = button;
    }
    panel->setMinimumSize(kButtonLeft + kButtonWidth + 8, RowTop(kSamples) + kButtonHeight + 4);
    sampleScroller = new QScrollArea(this);
    sampleScroller->setObjectName("SamPannel");
    sampleScroller->setWidget(panel);
    sampleScroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sampleScroller->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(header);
    layout->addWidget(sampleScroller, 1);
    resize(130, 360);
}

void SamplesWindow::SetButtonCaption(int sample, const QString& caption) { Button(sample)->setText(caption); }

void SamplesWindow::ShowActive(int sample) { activeSampleLabel->setText(QString::number(sample)); }

// A button that takes the focus shows its number as the active one; a WAV
// file dragged from the desktop onto a button is opened into its sample.
bool SamplesWindow::eventFilter(QObject* watched, QEvent* event) {
    auto* button = qobject_cast<QPushButton*>(watched);
    if (button == nullptr) {
        return QWidget::eventFilter(watched, event);
    }
    const int sample = button->property("tag").toInt();
    switch (event->type()) {
        case QEvent::FocusIn:
            ShowActive(sample);
            break;
        case QEvent::DragEnter: {
            auto* drag = static_cast<QDragEnterEvent*>(event);
            if (!DroppedWaveFile(drag->mimeData()).isEmpty()) {
                drag->acceptProposedAction();
                return true;
            }
            break;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QString path = DroppedWaveFile(drop->mimeData());
            if (!path.isEmpty() && OnFileDropped) {
                drop->acceptProposedAction();
                ShowActive(sample);
                OnFileDropped(sample, path.toStdString());
                return true;
            }
            break;
        }
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace stepweave
