#include "voxnote/app/ui/artwork/skin_artwork.h"

#include <charconv>

#include "voxnote/app/ui/artwork/skin_pictures.h"

namespace voxnote {

namespace {

// The number a name stands for, or -1 when it is a name made of letters.
int ResourceNumber(std::string_view name) {
    int number = -1;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), number);
    return error == std::errc() && end == name.data() + name.size() ? number : -1;
}

}  // namespace

std::vector<std::string> SkinArtwork::ControlBitmapNames() {
    std::vector<std::string> names;
    for (const char* prefix : {"STA_", "RED_", "RHY_"}) {
        for (const char* state : {"ON_", "OF_"}) {
            for (const char* face : {"U", "D"}) {
                names.push_back(std::string(prefix) + state + face);
            }
        }
    }
    for (const char* prefix : {"MINIM_", "CLOSE_", "MIXER_", "WAVE_", "SETUP_", "PRESET_", "UP_", "DN_"}) {
        names.push_back(std::string(prefix) + "U");
        names.push_back(std::string(prefix) + "D");
    }
    names.push_back("SLD_OF_U");
    return names;
}

std::vector<int> SkinArtwork::NumberedBitmaps() {
    return {kWindowIcon, kBackground, kDragCursor, kSplash, kAbout, 203, 204, 205, 206, 207, 209,
            226,         227,         228,         235,     236,    237};
}

QPixmap SkinArtwork::Draw(std::string_view name) const {
    switch (const int number = ResourceNumber(name)) {
    case -1:
        return pictures::Key(name, pixelRatio_);
    case kBackground:
        return pictures::Background(pixelRatio_);
    case kWindowIcon:
        return pictures::Icon(64);
    case kDragCursor:
        return pictures::DragCursor(pixelRatio_);
    case kSplash:
        return pictures::Splash(pixelRatio_);
    case kAbout:
        return pictures::About(pixelRatio_);
    default:
        return pictures::MeterPicture(number, pixelRatio_);
    }
}

const QPixmap& SkinArtwork::Bitmap(std::string_view name) const {
    auto found = drawn_.find(name);
    if (found == drawn_.end()) {
        found = drawn_.emplace(std::string(name), Draw(name)).first;
    }
    return found->second;
}

const QPixmap& SkinArtwork::Bitmap(int resource) const { return Bitmap(std::to_string(resource)); }

QSize SkinArtwork::BitmapSize(std::string_view name) const {
    if (ResourceNumber(name) == -1) {
        return pictures::KeySize(name);
    }
    return Bitmap(name).deviceIndependentSize().toSize();
}

QCursor SkinArtwork::DragCursor() const { return QCursor(Bitmap(kDragCursor), 16, 16); }

QIcon SkinArtwork::WindowIcon() const {
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        icon.addPixmap(pictures::Icon(size));
    }
    return icon;
}

}  // namespace voxnote
