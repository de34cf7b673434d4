#include "stepweave/sound/kit/kit_file.h"

#include <gtest/gtest.h>

#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/kit/kit_layout.h"
#include "stepweave/sound/kit/wave_collection.h"
#include "tests/stepweave/sound/wav/wave_test_support.h"

using namespace stepweave;
using namespace wave_test;

namespace {

void AppendShortString(Bytes& bytes, std::string_view text) {
    bytes.push_back(static_cast<uint8_t>(text.size()));
    AppendText(bytes, text);
}

// A kit file built by hand: the resource header, then the component stream
// with the given item bytes between the collection tag and its end.
Bytes HandMadeKit(const Bytes& items, std::optional<uint32_t> statedLength = std::nullopt) {
    Bytes component;
    AppendText(component, "TPF0");
    AppendShortString(component, "TWaveCollectionComponent");
    AppendShortString(component, "");
    AppendShortString(component, "List");
    component.push_back(0x0E);
    component.insert(component.end(), items.begin(), items.end());
    component.insert(component.end(), {0, 0, 0});

    Bytes kit{0xFF, 10, 0};
    AppendText(kit, "WAVORIXWAVECOLLECTION");
    kit.insert(kit.end(), {0, 0x30, 0x10});
    Append32(kit, statedLength.value_or(static_cast<uint32_t>(component.size())));
    kit.insert(kit.end(), component.begin(), component.end());
    return kit;
}

Bytes NameProperty(std::string_view name) {
    Bytes bytes;
    AppendShortString(bytes, "Name");
    bytes.push_back(0x06);
    AppendShortString(bytes, name);
    return bytes;
}

Bytes WaveProperty(const Bytes& image, std::optional<uint32_t> statedLength = std::nullopt) {
    Bytes bytes;
    AppendShortString(bytes, "Wave.WAVE");
    bytes.push_back(0x0A);
    Append32(bytes, statedLength.value_or(static_cast<uint32_t>(image.size())));
    bytes.insert(bytes.end(), image.begin(), image.end());
    return bytes;
}

Bytes Item(std::initializer_list<Bytes> properties) {
    Bytes bytes{0x01};
    for (const Bytes& property : properties) {
        bytes.insert(bytes.end(), property.begin(), property.end());
    }
    bytes.push_back(0x00);
    return bytes;
}

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes bytes;
    for (const Bytes& part : parts) {
        bytes.insert(bytes.end(), part.begin(), part.end());
    }
    return bytes;
}

Bytes Saved(const WaveCollection& kit) {
    MemoryStream stream;
    kit.SaveToStream(stream);
    return stream.Bytes();
}

// Loads the bytes into a kit that already holds two items and returns the
// error message (or "no error").
std::string LoadInto(WaveCollection& kit, const Bytes& bytes) {
    kit.Clear();
    kit.Add().SetName("old one");
    kit.Add().SetName("old two");
    MemoryStream stream(bytes);
    try {
        kit.LoadFromStream(stream);
    } catch (const StepweaveError& error) {
        return error.what();
    }
    return "no error";
}

const Bytes kSmallWave = RiffImage({Chunk("fmt ", PcmFormat(1, 8000, 8)), Chunk("data", Counting(5)), Bytes{0}});

}  // namespace

TEST(KitFile, OneUnnamedEmptyItemIs87Bytes) {
    WaveCollection kit;
    kit.Add();
    const Bytes saved = Saved(kit);
    Bytes expected{0xFF, 0x0A, 0x00};
    AppendText(expected, "WAVORIXWAVECOLLECTION");
    expected.insert(expected.end(), {0x00, 0x30, 0x10, 0x38, 0x00, 0x00, 0x00});
    AppendText(expected, "TPF0");
    expected.push_back(0x18);
    AppendText(expected, "TWaveCollectionComponent");
    expected.insert(expected.end(), {0x00, 0x04});
    AppendText(expected, "List");
    expected.insert(expected.end(), {0x0E, 0x01, 0x09});
    AppendText(expected, "Wave.WAVE");
    expected.insert(expected.end(), {0x0A, 0, 0, 0, 0, 0, 0, 0, 0});
    ASSERT_EQ(expected.size(), 87u);
    EXPECT_EQ(saved, expected);
    EXPECT_EQ(saved, HandMadeKit(Item({WaveProperty({})})));
}

TEST(KitFile, SeventeenSlotKitRoundTripsByteForByte) {
    const char* files[] = {"mono16.wav", "stereo16.wav", "mono8.wav", "float.wav", "adpcm.wav"};
    WaveCollection kit;
    for (int i = 0; i < kKitSlotCount; ++i) {
        WaveCollectionItem& item = kit.Add();
        item.SetName(std::string(kKitSlotNames[static_cast<size_t>(i)]));
        item.Wave().LoadFromFile(TestWavePath(files[i % 5]));
        item.SetPan(1000);
    }
    const auto folder = FreshFolder("kit_round_trip");
    const std::string path = (folder / "made.dxg").string();
    kit.SaveToFile(path);
    const Bytes saved = ReadWholeFile(path);
    EXPECT_EQ(Bytes(saved.begin(), saved.begin() + 3), (Bytes{0xFF, 0x0A, 0x00}));
    EXPECT_EQ(Bytes(saved.end() - 4, saved.end()), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(Read32(saved, 27), saved.size() - 31);

    WaveCollection loaded;
    loaded.LoadFromFile(path);
    ASSERT_EQ(loaded.Count(), kKitSlotCount);
    EXPECT_EQ(loaded.Items(0).Name(), "");
    for (int i = 0; i < kKitSlotCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(loaded.Items(i).Name(), kit.Items(i).Name());
        EXPECT_EQ(loaded.Items(i).Wave().Image(), kit.Items(i).Wave().Image());
        EXPECT_EQ(loaded.Items(i).Pan(), 0);
        EXPECT_EQ(loaded.Items(i).Volume(), 0);
    }
    EXPECT_EQ(Saved(loaded), saved);
}

TEST(KitFile, EmptyWavesAndLongNamesRoundTrip) {
    WaveCollection kit;
    kit.Add().SetName("Kick      [ ]");
    const std::string longName(300, 'x');
    kit.Add().SetName(longName);
    const Bytes saved = Saved(kit);

    Bytes longNameProperty;
    AppendShortString(longNameProperty, "Name");
    longNameProperty.push_back(0x0C);
    Append32(longNameProperty, 300);
    AppendText(longNameProperty, longName);
    EXPECT_EQ(saved, HandMadeKit(Join({Item({NameProperty("Kick      [ ]"), WaveProperty({})}),
                                       Item({longNameProperty, WaveProperty({})})})));

    WaveCollection loaded;
    EXPECT_EQ(LoadInto(loaded, saved), "no error");
    ASSERT_EQ(loaded.Count(), 2);
    EXPECT_EQ(loaded.Items(1).Name(), longName);
    EXPECT_EQ(loaded.Items(0).Wave().Size(), 0);
    EXPECT_EQ(loaded.Items(0).Wave().FormatSize(), 0);
}

TEST(KitFile, ReaderToleratesOrderMissingPropertiesAndLeadingIntegers) {
    Bytes withInt16{0x03, 0x34, 0x12};
    const Bytes kit = HandMadeKit(Join({Item({WaveProperty(kSmallWave), NameProperty("Snare     [ ]")}),
                                        Bytes{0x02, 0x07}, Item({}),
                                        withInt16, Item({NameProperty("Tom1      [ ]")}),
                                        Bytes{0x04, 1, 2, 3, 4}, Item({WaveProperty({})})}));
    WaveCollection loaded;
    EXPECT_EQ(LoadInto(loaded, kit), "no error");
    ASSERT_EQ(loaded.Count(), 4);
    EXPECT_EQ(loaded.Items(0).Name(), "Snare     [ ]");
    EXPECT_EQ(loaded.Items(0).Wave().Image(), kSmallWave);
    EXPECT_EQ(loaded.Items(1).Name(), "");
    EXPECT_EQ(loaded.Items(2).Name(), "Tom1      [ ]");
    EXPECT_EQ(loaded.Items(3).Wave().Size(), 0);
}

TEST(KitFile, DamagedHeadersAreRefusedAndLeaveTheKitEmpty) {
    const Bytes good = HandMadeKit(Item({NameProperty("Kick      [ ]"), WaveProperty(kSmallWave)}));
    WaveCollection kit;

    Bytes notFF = good;
    notFF[0] = 0xFE;
    Bytes wrongType = good;
    wrongType[1] = 11;
    Bytes wrongSignature = good;
    wrongSignature[31 + 3] = '1';
    for (const Bytes& bad : {notFF, wrongType, wrongSignature, Bytes{}, Bytes{0xFF},
                             HandMadeKit({}, 0x7FFFFFFF)}) {
        EXPECT_EQ(LoadInto(kit, bad), "Invalid stream format");
        EXPECT_EQ(kit.Count(), 0);
    }
}

TEST(KitFile, DamageInsideTheItemsKeepsTheItemsReadBeforeIt) {
    const Bytes first = Item({NameProperty("Kick      [ ]"), WaveProperty(kSmallWave)});
    Bytes hugeName;
    AppendShortString(hugeName, "Name");
    hugeName.push_back(0x0C);
    Append32(hugeName, 0xFFFFFFF0u);
    Bytes unknownProperty;
    AppendShortString(unknownProperty, "Volume");
    unknownProperty.insert(unknownProperty.end(), {0x02, 0x05});
    Bytes unknownTag;
    AppendShortString(unknownTag, "Name");
    unknownTag.insert(unknownTag.end(), {0x05, 0x00});

    struct Case {
        Bytes second;
        const char* message;
    };
    const Case cases[] = {
        {Item({WaveProperty(kSmallWave, 0x7FFFFFF0u)}), "Invalid stream format"},
        {Item({hugeName}), "Invalid stream format"},
        {Item({unknownProperty}), "Invalid stream format"},
        {Item({unknownTag}), "Invalid stream format"},
        {Bytes{0x07}, "Invalid stream format"},
        {Bytes{0x02, 0x01, 0x05}, "Invalid stream format"},
        {Item({WaveProperty(Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'A', 'V', 'I', ' '})}), "Wave is invalid"},
    };
    WaveCollection kit;
    for (const Case& c : cases) {
        EXPECT_EQ(LoadInto(kit, HandMadeKit(Join({first, c.second}))), c.message);
        ASSERT_GE(kit.Count(), 1);
        EXPECT_EQ(kit.Items(0).Name(), "Kick      [ ]");
        EXPECT_EQ(kit.Items(0).Wave().Image(), kSmallWave);
    }

    // A file cut short inside an item: its header's length gives it away
    // before anything is read; with the length matching, the items up to
    // the cut are kept.
    const Bytes whole = HandMadeKit(Join({first, first}));
    Bytes cut(whole.begin(), whole.end() - 3);
    EXPECT_EQ(LoadInto(kit, cut), "Invalid stream format");
    EXPECT_EQ(kit.Count(), 0);
    const auto length = static_cast<uint32_t>(cut.size() - 31);
    for (int i = 0; i < 4; ++i) {
        cut[27 + static_cast<size_t>(i)] = static_cast<uint8_t>(length >> (8 * i));
    }
    EXPECT_EQ(LoadInto(kit, cut), "Stream read error");
    EXPECT_EQ(kit.Count(), 2);
}

TEST(KitFile, AWaveImageNeverReadsPastItsOwnBytes) {
    // The first image claims 40 data bytes but carries 5; the 40 bytes after
    // it in the file belong to the next item and must not be taken.
    Bytes shortImage = RiffImage({Chunk("fmt ", PcmFormat(1, 8000, 8)), Chunk("data", Counting(5), 40)});
    WaveCollection kit;
    EXPECT_EQ(LoadInto(kit, HandMadeKit(Join({Item({WaveProperty(shortImage)}),
                                              Item({NameProperty(std::string(60, 'n'))})}))),
              "Stream read error");
    ASSERT_EQ(kit.Count(), 1);
    EXPECT_EQ(kit.Items(0).Wave().Size(), 5);
}

TEST(KitFile, AFileThatCannotBeOpenedLeavesTheKitAlone) {
    WaveCollection kit;
    kit.Add().SetName("Kick      [ ]");
    EXPECT_THROW(kit.LoadFromFile("/nonexistent/standard.dxg"), FileOpenError);
    EXPECT_EQ(kit.Count(), 1);

    const auto folder = FreshFolder("kit_not_a_kit");
    const std::string path = (folder / "text.dxg").string();
    WriteFileSafely(path, std::string("hello"));
    EXPECT_THROW(kit.LoadFromFile(path), StreamReadError);
    EXPECT_EQ(kit.Count(), 0);
}
