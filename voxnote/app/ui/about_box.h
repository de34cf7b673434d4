#pragma once
#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "voxnote/app/ui/artwork/skin_artwork.h"

namespace voxnote {

// The modal about box: the about picture, what the program is and the
// versions of the libraries it runs on.
class AboutBox : public QDialog {
    Q_OBJECT

public:
    AboutBox(const SkinArtwork& artwork, QWidget* parent);

    QLabel* Picture = nullptr;
    QLabel* Description = nullptr;
    QPushButton* OkButton = nullptr;
};

}  // namespace voxnote
