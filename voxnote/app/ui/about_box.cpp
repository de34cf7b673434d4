#include "voxnote/app/ui/about_box.h"

#include <QVBoxLayout>

#include "voxnote/app/shell/library_versions.h"
#include "voxnote/app/settings/string_table.h"

namespace voxnote {

namespace {
QString Caption(int id) { return QString::fromStdString(Text(id)); }
}  // namespace

AboutBox::AboutBox(const SkinArtwork& artwork, QWidget* parent) : QDialog(parent) {
    setWindowTitle(Caption(strings::kAboutTitle));
    setModal(true);
    Picture = new QLabel(this);
    Picture->setPixmap(artwork.Bitmap(SkinArtwork::kAbout));
    Picture->setAlignment(Qt::AlignCenter);
    const std::string versions = "Qt " + std::string(qVersion()) + ", " + LibraryVersions();
    Description = new QLabel(QString::fromStdString(FormatText(strings::kAboutText, {versions})), this);
    Description->setAlignment(Qt::AlignCenter);
    Description->setWordWrap(true);
    OkButton = new QPushButton(Caption(strings::kAboutOk), this);
    OkButton->setDefault(true);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Picture);
    layout->addWidget(Description);
    layout->addWidget(OkButton, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Description->setFixedWidth(Picture->pixmap().deviceIndependentSize().toSize().width() + 60);
}

}  // namespace voxnote
