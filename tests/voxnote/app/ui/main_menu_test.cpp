// The main window's pop-up menu, opened with Shift+F10 or a context-menu
// request and worked with the keyboard: display modes, help, the web site
// and the about box.
#include <QDesktopServices>
#include <QMenu>
#include <QtTest>

#include "tests/voxnote/app/ui/window_test_support.h"
#include "voxnote/app/shell/help_locations.h"
#include "voxnote/app/ui/about_box.h"
#include "voxnote/app/ui/converter_app.h"
#include "voxnote/app/ui/main_dialog.h"

using namespace voxnote;
using namespace voxnote::test;

namespace {

// Runs `action` on the pop-up menu as soon as it is open.
void WhenMenuOpens(std::function<void(QMenu&)> action) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, action] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            poll->stop();
            poll->deleteLater();
            action(*menu);
        }
    });
    poll->start();
}

}  // namespace

// Keeps the addresses the program asks the desktop to open.
class OpenedUrls : public QObject {
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls << url; }
};

class MainMenuTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void shiftF10OpensTheMenuAfterStoppingARun();
    void contextMenuRequestOpensItToo();
    void showVolumeEmptiesTheLevelBar();
    void helpOpensThePageOrSaysItIsMissing();
    void webSiteOpensTheConfiguredAddress();
    void aboutBoxIsModalAndSuspendsAutoShrink();

private:
    void ChooseFromMenu(std::function<void(QMenu&)> keys);

    std::unique_ptr<TestWindow> test;
    WindowUnderTest* window = nullptr;
    OpenedUrls opened;
};

void MainMenuTest::init() {
    test = std::make_unique<TestWindow>();
    test->Show();
    window = test->window.get();
    test->prompt.Clear();
    opened.urls.clear();
    QDesktopServices::setUrlHandler("file", &opened, "open");
    QDesktopServices::setUrlHandler("https", &opened, "open");
}

void MainMenuTest::cleanup() {
    QDesktopServices::unsetUrlHandler("file");
    QDesktopServices::unsetUrlHandler("https");
    QVERIFY2(test->prompt.unexpected.empty(), test->prompt.Unexpected().c_str());
    test.reset();
}

void MainMenuTest::ChooseFromMenu(std::function<void(QMenu&)> keys) {
    WhenMenuOpens(keys);
    QTest::keyClick(window, Qt::Key_F10, Qt::ShiftModifier);
}

void MainMenuTest::shiftF10OpensTheMenuAfterStoppingARun() {
    Click(*window, *window->StartToggle);
    QVERIFY(window->IsRunActive());
    QStringList entries;
    QPoint where;
    bool runWhileOpen = true;
    ChooseFromMenu([&](QMenu& menu) {
        for (const QAction* action : menu.actions()) {
            entries << action->text();
        }
        where = menu.pos();
        runWhileOpen = window->IsRunActive();
        QTest::keyClick(&menu, Qt::Key_P);
    });
    QCOMPARE(entries, (QStringList{"Show &Volume", "Show &Pitch", "&Change Mixer", "&Help", "Visit our web site...",
                                   "&About"}));
    QCOMPARE(where, window->mapToGlobal(QPoint(5, 5)));
    QVERIFY(!runWhileOpen);
    QVERIFY(!window->StartToggle->IsOn());
    QCOMPARE(window->CurrentDisplayMode(), MainDialog::DisplayMode::Pitch);
}

void MainMenuTest::contextMenuRequestOpensItToo() {
    WhenMenuOpens([](QMenu& menu) { QTest::keyClick(&menu, Qt::Key_P); });
    QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(20, 20), window->mapToGlobal(QPoint(20, 20)));
    QApplication::sendEvent(window, &request);
    QCOMPARE(window->CurrentDisplayMode(), MainDialog::DisplayMode::Pitch);
}

void MainMenuTest::showVolumeEmptiesTheLevelBar() {
    window->ShowLevel(70, true, false, true);
    DoubleClick(*window, QPoint(37, 120));  // to pitch mode
    window->ShowLevel(70, true, false, true);
    QVERIFY(window->Meter().Height() > 10);
    ChooseFromMenu([](QMenu& menu) { QTest::keyClick(&menu, Qt::Key_V); });
    QCOMPARE(window->CurrentDisplayMode(), MainDialog::DisplayMode::Volume);
    QCOMPARE(window->Meter().Height(), 0);
}

void MainMenuTest::helpOpensThePageOrSaysItIsMissing() {
    QVERIFY(ConverterApp::DefaultHelpFilePath().endsWith("/voxnote.html"));
    const QString page = test->folder.filePath("voxnote.html");
    window->SetHelpFilePath(page);
    ChooseFromMenu([](QMenu& menu) { QTest::keyClick(&menu, Qt::Key_H); });
    QVERIFY(opened.urls.isEmpty());
    QCOMPARE(test->prompt.Messages(),
             std::vector<std::string>{"Couldn't open the help file \"" + page.toStdString() + "\"."});

    WriteFile(page, "<html><body>help</body></html>");
    ChooseFromMenu([](QMenu& menu) { QTest::keyClick(&menu, Qt::Key_H); });
    QCOMPARE(opened.urls, QList<QUrl>{QUrl::fromLocalFile(page)});
}

void MainMenuTest::webSiteOpensTheConfiguredAddress() {
    auto chooseWebSite = [](QMenu& menu) {
        menu.setActiveAction(menu.actions().at(4));
        QTest::keyClick(&menu, Qt::Key_Return);
    };
    qunsetenv("VOXNOTE_WEB_SITE");
    ChooseFromMenu(chooseWebSite);
    QCOMPARE(opened.urls, QList<QUrl>{QUrl(kWebSiteAddress)});
    qputenv("VOXNOTE_WEB_SITE", "https://example.net/voxnote/");
    ChooseFromMenu(chooseWebSite);
    qunsetenv("VOXNOTE_WEB_SITE");
    QCOMPARE(opened.urls.size(), 2);
    QCOMPARE(opened.urls.back(), QUrl("https://example.net/voxnote/"));
}

void MainMenuTest::aboutBoxIsModalAndSuspendsAutoShrink() {
    window->SetAutoShrink(true);
    bool shrinkWhileOpen = true;
    bool pictureShown = false;
    WhenModalOpens<AboutBox>([&](AboutBox& about) {
        shrinkWhileOpen = window->IsAutoShrinkInEffect();
        pictureShown = !about.Picture->pixmap().isNull();
        QTest::mouseClick(about.OkButton, Qt::LeftButton);
    });
    ChooseFromMenu([](QMenu& menu) { QTest::keyClick(&menu, Qt::Key_A); });
    QVERIFY(!shrinkWhileOpen);
    QVERIFY(pictureShown);
    QVERIFY(window->IsAutoShrinkInEffect());
}

QTEST_MAIN(MainMenuTest)
#include "main_menu_test.moc"
