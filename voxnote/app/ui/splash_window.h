#pragma once
#include <QWidget>

#include "voxnote/app/ui/artwork/skin_artwork.h"

namespace voxnote {

// The small frameless window shown while the program starts: the splash
// picture inside a one-pixel border, 228 x 160, centred on the screen.
class SplashWindow : public QWidget {
public:
    static constexpr QSize kSize{228, 160};

    explicit SplashWindow(const SkinArtwork& artwork);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const SkinArtwork& artwork_;
};

// Shows the splash window for the given time (two seconds at start-up),
// keeping the program responsive meanwhile, then closes it.
void ShowSplash(const SkinArtwork& artwork, int milliseconds = 2000);

}  // namespace voxnote
