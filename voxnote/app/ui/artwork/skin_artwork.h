#pragma once
#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace voxnote {

// Every picture of the skinned main window, handed out by its resource name
// ("STA_ON_D", "SLD_OF_U") or number (206, or "206" as a name). Pictures are
// drawn on first use and kept.
class SkinArtwork {
public:
    static constexpr int kBackground = 139;
    static constexpr int kWindowIcon = 128;
    static constexpr int kDragCursor = 146;
    static constexpr int kSplash = 191;
    static constexpr int kAbout = 192;

    // Pictures are drawn for screens with that many device pixels per pixel.
    explicit SkinArtwork(qreal pixelRatio = 1.0) : pixelRatio_(pixelRatio) {}

    // A null pixmap for a name or number that is no picture of the skin.
    const QPixmap& Bitmap(std::string_view name) const;
    const QPixmap& Bitmap(int resource) const;
    // The size in window pixels; empty for an unknown name.
    QSize BitmapSize(std::string_view name) const;

    QCursor DragCursor() const;
    QIcon WindowIcon() const;

    // The names of all the pictures that controls are drawn with, and the
    // numbers of all the others.
    static std::vector<std::string> ControlBitmapNames();
    static std::vector<int> NumberedBitmaps();

private:
    QPixmap Draw(std::string_view name) const;

    qreal pixelRatio_;
    mutable std::map<std::string, QPixmap, std::less<>> drawn_;
};

}  // namespace voxnote
