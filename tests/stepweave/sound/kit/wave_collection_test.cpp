#include "stepweave/sound/kit/wave_collection.h"

#include <gtest/gtest.h>

#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/kit/kit_layout.h"

using namespace stepweave;

TEST(WaveCollection, FindsNamesWithoutRegardToLetterCase) {
    WaveCollection kit;
    for (std::string_view name : kKitSlotNames) {
        kit.Add().SetName(std::string(name));
    }
    EXPECT_EQ(&kit.Find("kick      [ ]"), &kit.Items(1));
    EXPECT_EQ(kit.IndexOf("TAMB      [ ]"), 16);
    EXPECT_EQ(kit.IndexOf(""), 0);
    EXPECT_EQ(kit.IndexOf("Kick"), -1);
    try {
        kit.Find("Gong      [ ]");
        FAIL() << "no error";
    } catch (const WaveCollectionError& error) {
        EXPECT_STREQ(error.what(), "Wave 'Gong      [ ]' not found");
    }
    EXPECT_THROW(kit.Items(17), ListIndexError);
}

TEST(WaveCollection, TheItemNamedMostRecentlyIsFound) {
    WaveCollection kit;
    WaveCollectionItem& first = kit.Add();
    WaveCollectionItem& second = kit.Add();
    WaveCollectionItem& third = kit.Add();
    first.SetName("Snare     [ ]");
    second.SetName("Snare     [ ]");
    EXPECT_EQ(&kit.Find("Snare     [ ]"), &second);
    first.SetName("SNARE     [ ]");  // a real rename: moves to the head again
    EXPECT_EQ(&kit.Find("snare     [ ]"), &first);
    second.SetName("Snare     [ ]");  // the same text: nothing changes
    EXPECT_EQ(&kit.Find("Snare     [ ]"), &first);

    // Names that share a chain stay apart; renaming leaves the old name behind.
    ASSERT_EQ(NamedCollection::ChainOf("ab"), NamedCollection::ChainOf("ac"));
    third.SetName("ab");
    second.SetName("ac");
    EXPECT_EQ(&kit.Find("AB"), &third);
    EXPECT_EQ(&kit.Find("Ac"), &second);
    third.SetName("cd");
    EXPECT_EQ(kit.IndexOf("ab"), -1);
    EXPECT_EQ(&kit.Find("cd"), &third);
}

TEST(WaveCollection, ChainFollowsLengthFirstAndSecondToLastCharacter) {
    EXPECT_EQ(NamedCollection::ChainOf(""), 0);
    EXPECT_EQ(NamedCollection::ChainOf("Q"), 16);
    // 16 x 13 + 'k' + ' ' = 208 + 107 + 32 = 347 -> 91
    EXPECT_EQ(NamedCollection::ChainOf("Kick      [ ]"), 91);
    EXPECT_EQ(NamedCollection::ChainOf("KICK      [ ]"), 91);
}

TEST(WaveCollection, DeletingKeepsIndexesAndLookupCurrent) {
    WaveCollection kit;
    for (const char* name : {"a", "b", "c", "d"}) {
        WaveCollectionItem& item = kit.Add();
        item.SetName(name);
        item.SetPan(-300);
    }
    kit.Delete(1);
    ASSERT_EQ(kit.Count(), 3);
    EXPECT_EQ(kit.Items(1).Name(), "c");
    EXPECT_EQ(kit.Items(1).Index(), 1);
    EXPECT_EQ(kit.Items(2).Index(), 2);
    EXPECT_EQ(kit.IndexOf("b"), -1);
    EXPECT_EQ(kit.IndexOf("d"), 2);
    EXPECT_THROW(kit.Delete(3), ListIndexError);
    kit.Clear();
    EXPECT_EQ(kit.Count(), 0);
    EXPECT_EQ(kit.IndexOf("a"), -1);
    WaveCollectionItem& fresh = kit.Add();
    EXPECT_EQ(fresh.Index(), 0);
    EXPECT_EQ(fresh.Pan(), 0);
    EXPECT_EQ(fresh.Volume(), 0);
    EXPECT_EQ(&fresh.Collection(), &kit);
}

TEST(WaveCollection, AssigningNamesCopiesTheNamesOnly) {
    WaveCollection source;
    WaveCollectionItem& item = source.Add();
    item.SetName("Tom1      [ ]");
    item.Wave().SetSize(10);
    WaveCollection list;
    list.Add();
    list.AssignNames(source);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Find("tom1      [ ]").Wave().Size(), 0);
}
