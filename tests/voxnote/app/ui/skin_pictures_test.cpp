// The pictures of the skinned main window. With VOXNOTE_SCREENSHOT_DIR set,
// this program also writes screenshots of the window and its pictures there.
#include <QDir>
#include <QPainter>
#include <QSet>
#include <QtTest>

#include "voxnote/app/display/main_window_layout.h"
#include "voxnote/app/skin/skin_control.h"
#include "voxnote/app/ui/main_dialog.h"
#include "voxnote/app/ui/artwork/skin_artwork.h"
#include "voxnote/app/ui/splash_window.h"
#include "tests/voxnote/app/ui/window_test_support.h"

using namespace voxnote;

namespace {

bool HasDetail(const QPixmap& pixmap) {
    const QImage image = pixmap.toImage();
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            colours.insert(image.pixel(x, y));
        }
    }
    return colours.size() > 2;
}

QRect ToQRect(const SkinRect& rect) { return QRect(rect.left, rect.top, rect.Width(), rect.Height()); }

void SaveScaled(const QPixmap& picture, const QString& path, int scale) {
    picture.toImage().scaled(picture.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation).save(path);
}

}  // namespace

class SkinPicturesTest : public QObject {
    Q_OBJECT

private slots:
    void everyControlFaceIsDrawnAndFacesOfOneControlMatchInSize();
    void numberedPicturesHaveTheSizesTheWindowPlacesThemBy();
    void unknownNamesGiveNoPicture();
    void controlsLieInsideTheWindowAndOverlapNoOtherControlOrField();
    void splashWindowIsCentredAndGoesAway();
    void writeScreenshots();
};

void SkinPicturesTest::everyControlFaceIsDrawnAndFacesOfOneControlMatchInSize() {
    const SkinArtwork artwork;
    const auto names = SkinArtwork::ControlBitmapNames();
    QCOMPARE(names.size(), std::size_t{3 * 4 + 8 * 2 + 1});
    for (const std::string& name : names) {
        const QPixmap& picture = artwork.Bitmap(name);
        QVERIFY2(!picture.isNull(), name.c_str());
        QVERIFY2(HasDetail(picture), name.c_str());
        QCOMPARE(picture.size(), artwork.BitmapSize(name));
        // Every face of a control has the size of its "U" (or "OF_U") face.
        const std::string stem = name.substr(0, name.size() - 1);
        const std::string prefix = stem.ends_with("ON_") || stem.ends_with("OF_") ? stem.substr(0, stem.size() - 3) : stem;
        const std::string reference = stem == prefix ? prefix + "U" : prefix + "OF_U";
        QCOMPARE(picture.size(), artwork.BitmapSize(reference));
    }
    // Held and released, on and off look different.
    QVERIFY(artwork.Bitmap("CLOSE_U").toImage() != artwork.Bitmap("CLOSE_D").toImage());
    QVERIFY(artwork.Bitmap("STA_ON_U").toImage() != artwork.Bitmap("STA_OF_U").toImage());
    QVERIFY(artwork.Bitmap("RHY_ON_D").toImage() != artwork.Bitmap("RHY_OF_D").toImage());
    QVERIFY(artwork.Bitmap("UP_U").toImage() != artwork.Bitmap("DN_U").toImage());
}

void SkinPicturesTest::numberedPicturesHaveTheSizesTheWindowPlacesThemBy() {
    const SkinArtwork artwork;
    const std::map<int, QSize> sizes = {
        {139, {199, 346}}, {203, {54, 133}}, {204, {54, 133}}, {205, {28, 3}},   {206, {28, 3}},
        {207, {28, 3}},    {209, {28, 3}},   {235, {23, 10}},  {236, {23, 10}},  {237, {23, 10}},
        {191, {226, 158}}, {146, {32, 32}},  {128, {64, 64}},
    };
    for (const auto& [number, size] : sizes) {
        QCOMPARE(artwork.Bitmap(number).size(), size);
        QVERIFY(HasDetail(artwork.Bitmap(number)));
    }
    // Lit segments and lamps differ from the dark ones and from each other.
    const int segments[] = {205, 206, 207, 209};
    for (int a : segments) {
        for (int b : segments) {
            QVERIFY(a == b || artwork.Bitmap(a).toImage() != artwork.Bitmap(b).toImage());
        }
    }
    QVERIFY(artwork.Bitmap(203).toImage() != artwork.Bitmap(204).toImage());
    QVERIFY(artwork.Bitmap(226).toImage() != artwork.Bitmap(227).toImage());
    // Note heads fit between the staff positions three pixels apart, the sharp in front of the head.
    QCOMPARE(artwork.Bitmap(226).height(), 7);
    QVERIFY(artwork.Bitmap(228).width() <= 40 - 32);
    // The segment bar and the lamps stay inside the meter area.
    const QRect meter = ToQRect(layout::kMeterArea);
    QVERIFY(meter.contains(QRect(QPoint(23, 177 - 4 * 24), artwork.Bitmap(206).size())));
    QVERIFY(meter.contains(QRect(QPoint(23, 177), artwork.Bitmap(206).size())));
    QVERIFY(meter.contains(QRect(QPoint(39, 66), artwork.Bitmap(235).size())));
    QVERIFY(!QRect(QPoint(12, 66), artwork.Bitmap(235).size()).intersects(QRect(QPoint(39, 66), QSize(23, 10))));
}

void SkinPicturesTest::unknownNamesGiveNoPicture() {
    const SkinArtwork artwork;
    QVERIFY(artwork.Bitmap("STA_U").isNull());    // a toggle has no plain face
    QVERIFY(artwork.Bitmap("CLOSE_ON_U").isNull());
    QVERIFY(artwork.Bitmap("SLD_OF_D").isNull());
    QVERIFY(artwork.Bitmap("").isNull());
    QVERIFY(artwork.Bitmap(999).isNull());
    QVERIFY(artwork.BitmapSize("NOPE_U").isEmpty());
}

void SkinPicturesTest::controlsLieInsideTheWindowAndOverlapNoOtherControlOrField() {
    test::TestWindow testWindow;
    test::WindowUnderTest& window = *testWindow.window;
    const QRect client(0, 0, 199, 346);
    const auto& controls = window.ControlSet().Controls();
    QCOMPARE(controls.size(), std::size_t{21});
    const QList<QRect> fields = {ToQRect(layout::kMeterArea), ToQRect(layout::kMaximumNoteField),
                                 ToQRect(layout::kMinimumNoteField), ToQRect(layout::kScaleField),
                                 ToQRect(layout::kPresetField)};
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const QRect rect = ToQRect(controls[i]->GetBoundingRect());
        QVERIFY2(client.contains(rect), controls[i]->Prefix().c_str());
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            QVERIFY2(!rect.intersects(ToQRect(controls[j]->GetBoundingRect())), controls[i]->Prefix().c_str());
        }
        for (const QRect& field : fields) {
            QVERIFY2(!rect.intersects(field), controls[i]->Prefix().c_str());
        }
    }
    // The controls of the title band stay inside the shrunk window.
    for (const SkinControl* control : std::initializer_list<const SkinControl*>{
             window.StartToggle, window.ShrinkToggle, window.MinimiseButton, window.CloseButton}) {
        QVERIFY(control->GetBoundingRect().bottom <= layout::kShrunkWindowSize.height - 1);
    }
}

void SkinPicturesTest::splashWindowIsCentredAndGoesAway() {
    const SkinArtwork artwork;
    {
        SplashWindow splash(artwork);
        QCOMPARE(splash.size(), QSize(228, 160));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(splash.pos(), QPoint(screen.left() + (screen.width() - 228) / 2,
                                      screen.top() + (screen.height() - 160) / 2));
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        // The picture sits inside a one-pixel border.
        const QImage shot = splash.grab().toImage();
        QCOMPARE(shot.pixel(1, 1), artwork.Bitmap(SkinArtwork::kSplash).toImage().pixel(0, 0));
        QCOMPARE(shot.pixel(0, 0), qRgb(8, 8, 10));
    }
    ShowSplash(artwork, 10);
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        QVERIFY(!window->isVisible());
    }
}

void SkinPicturesTest::writeScreenshots() {
    const QString folder = qEnvironmentVariable("VOXNOTE_SCREENSHOT_DIR");
    if (folder.isEmpty()) {
        QSKIP("set VOXNOTE_SCREENSHOT_DIR to write screenshots");
    }
    QDir().mkpath(folder);
    const int zoom = qEnvironmentVariableIntValue("VOXNOTE_SCREENSHOT_ZOOM");
    auto save = [&](const QPixmap& picture, const QString& name) {
        QVERIFY(picture.save(folder + "/" + name + ".png"));
        if (zoom > 1) {
            SaveScaled(picture, folder + "/" + name + "_x" + QString::number(zoom) + ".png", zoom);
        }
    };

    test::TestWindow testWindow;
    testWindow.Show();
    test::WindowUnderTest& window = *testWindow.window;
    for (int level : {40, 70, 85, 78}) {
        window.ShowLevel(level, level > 60, level > 80, true);
    }
    save(window.grab(), "main_volume");

    // Rhythm mode on and the Setup key held down.
    window.RhythmToggle->SetState(1);
    const SkinRect setup = window.SetupButton->GetBoundingRect();
    const QPoint onSetup((setup.left + setup.right) / 2, (setup.top + setup.bottom) / 2);
    QTest::mousePress(&window, Qt::LeftButton, {}, onSetup);
    save(window.grab(), "main_keys_held");
    QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(150, 150));
    window.RhythmToggle->SetState(0);

    window.SetDisplayMode(MainDialog::DisplayMode::Pitch);
    test::Click(window, *window.StartToggle);  // a run on the test's own recording device
    window.ShowNote(66);  // F#5: head in the lowest space of the upper staff, with a sharp
    window.Settings().SavePreset("Soprano sax", testWindow.prompt);
    window.SetScale(4);
    save(window.grab(), "main_pitch");

    test::Click(window, *window.StartToggle);
    save(window.grab(), "main_pitch_stopped");

    window.SetShrunk(true);
    save(window.grab(), "main_shrunk");
    window.SetShrunk(false);

    const SkinArtwork& artwork = window.Artwork();
    QPixmap splash(228, 160);
    {
        QPainter painter(&splash);
        painter.fillRect(splash.rect(), QColor(8, 8, 10));
        painter.drawPixmap(1, 1, artwork.Bitmap(SkinArtwork::kSplash));
    }
    save(splash, "splash");
    save(artwork.Bitmap(SkinArtwork::kAbout), "about");
    save(artwork.Bitmap(SkinArtwork::kWindowIcon), "icon");
    save(artwork.Bitmap(SkinArtwork::kDragCursor), "drag_cursor");

    // Every control face side by side, with the meter pictures below.
    QPixmap sheet(420, 200);
    sheet.fill(QColor(90, 90, 96));
    {
        QPainter painter(&sheet);
        int x = 4;
        int y = 4;
        int rowHeight = 0;
        for (const std::string& name : SkinArtwork::ControlBitmapNames()) {
            const QPixmap& face = artwork.Bitmap(name);
            if (x + face.width() > sheet.width() - 4) {
                x = 4;
                y += rowHeight + 4;
                rowHeight = 0;
            }
            painter.drawPixmap(x, y, face);
            x += face.width() + 4;
            rowHeight = std::max(rowHeight, face.height());
        }
        y += rowHeight + 6;
        x = 4;
        for (int number : {203, 204, 205, 206, 207, 209, 235, 236, 237, 226, 227, 228}) {
            painter.drawPixmap(x, y, artwork.Bitmap(number));
            x += artwork.Bitmap(number).width() + 4;
        }
    }
    save(sheet, "control_faces");
}

QTEST_MAIN(SkinPicturesTest)
#include "skin_pictures_test.moc"
