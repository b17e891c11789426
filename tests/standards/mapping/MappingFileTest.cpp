#include "MappingTestSupport.h"

namespace mappingtest {
namespace {

const std::wstring kBullet = L"\u2022";
const std::wstring kPair = L"\u00BF";
const std::wstring kVar = L"\u0192";

// ---- Object texts ---------------------------------------------------------------------------

TEST(ObjectText, EveryTypeWordRoundTripsAndBuildsOwnerBulletWordBlankName) {
    EXPECT_EQ(textOf(object(KvMapType::Distance, L"Plate1", L"T", L"Thick")),
              L"Plate1" + kBullet + L"Distance T");
    EXPECT_EQ(textOf(object(KvMapType::BoltsDiameter, L"Bolts1", L"", L"D")),
              L"Bolts1" + kBullet + L"BoltsDiameter ");
    for (int i = 1; i < kMapTypeCount; ++i) {
        const KvObjectMap original =
            object(static_cast<KvMapType>(i), L"Owner", L"Name with blank", L"Var");
        KvObjectMap parsed;
        ASSERT_EQ(parsed.getMappingFromStrs(L"Var", Trk_String(textOf(original))), eOk) << i;
        EXPECT_EQ(parsed.type, original.type);
        EXPECT_EQ(parsed.owner, L"Owner");
        EXPECT_EQ(parsed.objectName, L"Name with blank");
        EXPECT_EQ(parsed.ssVarName, L"Var");
    }
    KvValueType valueType = KvValueType::String;
    EXPECT_FALSE(mapTypeValueType(KvMapType::None, valueType));
    EXPECT_STREQ(mapTypeWord(static_cast<KvMapType>(kMapTypeCount)), L"");
}

TEST(ObjectText, ParsingSplitsAtTheFirstBulletAndSkipsBlanksBeforeTheWord) {
    KvObjectMap parsed;
    ASSERT_EQ(
        parsed.getMappingFromStrs(
            L"V", Trk_String(L"Bolts1" + kBullet + L"   PatternReverseStart2 P" + kBullet + L"1")),
        eOk);
    EXPECT_EQ(parsed.type, KvMapType::PatternReverseStart2);
    EXPECT_EQ(parsed.owner, L"Bolts1");
    EXPECT_EQ(parsed.objectName, L"P" + kBullet + L"1");

    ASSERT_EQ(parsed.getMappingFromStrs(L"V", Trk_String(kBullet + L"GenVar")), eOk);
    EXPECT_EQ(parsed.owner, L"");
    EXPECT_EQ(parsed.objectName, L"") << "no blank: empty name";

    KvObjectMap untouched = object(KvMapType::Distance, L"A", L"B", L"C");
    EXPECT_EQ(untouched.getMappingFromStrs(L"V", L"Plate1 Distance T"), eInvalidInput);
    EXPECT_EQ(untouched.getMappingFromStrs(L"V", Trk_String(L"Plate1" + kBullet + L"Length T")),
              eInvalidInput);
    EXPECT_EQ(untouched.ssVarName, L"C") << "a refused text changes nothing";

    Trk_String text;
    Trk_String ssVar;
    EXPECT_EQ(KvObjectMap().setMappingToStrs(text, ssVar), eInvalidInput);
}

TEST(ObjectText, MapFromArraysPicksThePairOfTheCellsName) {
    const Trk_StringArray ssVars = {L"Thick", L"Bolts"};
    const Trk_StringArray texts = {Trk_String(L"Plate1" + kBullet + L"Distance T")};
    KvVarCell cell;
    cell.name = L"THICK";
    KvObjectMap mapped;
    ASSERT_EQ(mapped.mapFromArrays(ssVars, texts, cell), eOk);
    EXPECT_EQ(mapped.objectName, L"T");
    EXPECT_EQ(mapped.ssVarName, L"Thick");
    cell.name = L"Bolts";
    EXPECT_EQ(mapped.mapFromArrays(ssVars, texts, cell), eInvalidInput) << "no text at index 1";
    cell.name = L"Other";
    EXPECT_EQ(mapped.mapFromArrays(ssVars, texts, cell), eInvalidInput);
}

TEST(ObjectText, CompatibleObjectsShareOwnerNameAndTypeWhateverTheirVariable) {
    const KvObjectMap a = object(KvMapType::Distance, L"Plate1", L"T", L"Thick");
    EXPECT_EQ(a.isCompatible(object(KvMapType::Distance, L"PLATE1", L"t", L"Other")), eOk);
    EXPECT_EQ(a.isCompatible(object(KvMapType::CutOffset, L"Plate1", L"T", L"Thick")),
              eInvalidInput);
    EXPECT_EQ(a.isCompatible(object(KvMapType::Distance, L"Plate2", L"T", L"Thick")),
              eInvalidInput);
    EXPECT_EQ(a.isCompatible(object(KvMapType::Distance, L"Plate1", L"W", L"Thick")),
              eInvalidInput);
}

// ---- Mapping lines --------------------------------------------------------------------------

TEST(MappingLine, PairsAreReadAndRebuilt) {
    KvSSMapping mapping;
    const Trk_String line(L"Left=Thick" + kVar + L"Plate1" + kBullet + L"Distance T" + kPair +
                          L"Bolts" + kVar + L"Bolt1" + kBullet + L"PatternNrBolts1 P1");
    ASSERT_EQ(mapping.initMappingFromLine(line), eOk);
    ASSERT_EQ(mapping.objects.length(), 2);
    EXPECT_EQ(mapping.objects[1].type, KvMapType::PatternNrBolts1);
    EXPECT_EQ(mapping.objects[1].owner, L"Bolt1");
    EXPECT_EQ(mapping.objects[1].ssVarName, L"Bolts");
    EXPECT_EQ(mapping.mappingLine(L"Left"), line);
}

TEST(MappingLine, OnlyAKeyMapsNothingNoEqualsFailsAndPairsWithoutTheMarkAreSkipped) {
    KvSSMapping mapping;
    mapping.objects.append(object(KvMapType::Distance, L"A", L"B", L"C"));
    ASSERT_EQ(mapping.initMappingFromLine(L"Key="), eOk);
    EXPECT_EQ(mapping.objects.length(), 0);

    mapping.objects.append(object(KvMapType::Distance, L"A", L"B", L"C"));
    EXPECT_EQ(mapping.initMappingFromLine(L"Key"), eInvalidInput);
    EXPECT_EQ(mapping.objects.length(), 0) << "the objects are cleared first";

    ASSERT_EQ(mapping.initMappingFromLine(Trk_String(L"Key=NoMark" + kPair + L"A" + kVar +
                                                     L"Plate1" + kBullet + L"Distance T" + kPair +
                                                     L"Bad" + kVar + L"no bullet" + kPair + L"B=x" +
                                                     kVar + L"M" + kBullet + L"CutRadius C")),
              eOk);
    ASSERT_EQ(mapping.objects.length(), 2);
    EXPECT_EQ(mapping.objects[0].ssVarName, L"A");
    EXPECT_EQ(mapping.objects[1].ssVarName, L"B=x") << "only the first = splits";
    EXPECT_EQ(mapping.objects[1].type, KvMapType::CutRadius);
}

// ---- Searches and comparisons ---------------------------------------------------------------

TEST(MappingSearch, FindSSVarComparesValueTypesExactly) {
    KvSSMapping mapping;
    mapping.objects = {object(KvMapType::PatternReverseStart1, L"B", L"P1", L"Rev"),
                       object(KvMapType::PrPlName, L"", L"Prof0", L"Rev"),
                       object(KvMapType::Distance, L"P", L"T", L"rev")};
    int index = -1;
    ASSERT_EQ(mapping.findSSVar(L"REV", KvValueType::Double, index), eOk);
    EXPECT_EQ(index, 2);
    ASSERT_EQ(mapping.findSSVar(L"Rev", KvValueType::Int, index), eOk);
    EXPECT_EQ(index, 0);
    ASSERT_EQ(mapping.findSSVar(L"Rev", KvValueType::String, index), eOk);
    EXPECT_EQ(index, 1);
    mapping.objects.removeAt(2);
    EXPECT_EQ(mapping.findSSVar(L"Rev", KvValueType::Double, index), eInvalidInput);
}

TEST(MappingSearch, EqualityAndCompatibilityLookForCounterpartsOfOwnObjects) {
    KvSSMapping mine;
    mine.objects = {object(KvMapType::Distance, L"Plate1", L"T", L"Thick"),
                    object(KvMapType::PatternNrBolts1, L"Bolts1", L"P1", L"N")};
    KvSSMapping other;
    other.objects = {object(KvMapType::PatternNrBolts1, L"bolts1", L"p1", L"n"),
                     object(KvMapType::Distance, L"Plate1", L"T", L"Thick"),
                     object(KvMapType::GenVar, L"", L"gen_Gap", L"Gap")};
    EXPECT_TRUE(mine.isEqual(other)) << "extra objects of the other do not matter";
    EXPECT_FALSE(other.isEqual(mine));
    int count = -1;
    EXPECT_EQ(other.isCompatible(mine, count), eOk);
    EXPECT_EQ(count, 1);
    int index = -1;
    ASSERT_EQ(other.findCompatible(mine.objects[0], index), eOk);
    EXPECT_EQ(index, 1);

    other.objects[1].ssVarName = L"Thickness";
    EXPECT_FALSE(mine.isEqual(other)) << "the variable must match";
    other.objects[1].ssVarName = L"Thick";
    other.objects[1].objectName = L"W";
    EXPECT_FALSE(mine.isEqual(other)) << "the object must be compatible";
    EXPECT_EQ(mine.isCompatible(other, count), eOk);
    EXPECT_EQ(count, 1);

    KvSSMapping withoutType;
    withoutType.objects.append(KvObjectMap());
    EXPECT_FALSE(withoutType.isEqual(other));
}

// ---- Mapping files --------------------------------------------------------------------------

class MappingFileTest : public ::testing::Test {
protected:
    KvSSMapping twoPairs() const {
        KvSSMapping mapping;
        mapping.objects = {object(KvMapType::Distance, L"Plate1", L"T", L"Thick"),
                           object(KvMapType::PatternNrBolts1, L"Bolts1", L"P1", L"Bolts")};
        return mapping;
    }
    Trk_String lineOf(const KvSSMapping& mapping, const wchar_t* key) const {
        return mapping.mappingLine(key);
    }

    winx::TestSession session;
    LibraryFolder library;
};

TEST_F(MappingFileTest, WritingCreatesTheFileWithItsHeaderAndReadingFindsTheKey) {
    KvSSMapping mapping = twoPairs();
    Trk_String key = L"Left";
    ASSERT_EQ(mapping.setMappingToFile(L"EndPlate", key), eOk);
    EXPECT_EQ(library.readLines(L"EndPlate"),
              (Trk_StringArray{L"Mapping version 1.0", lineOf(mapping, L"Left")}));

    KvSSMapping read;
    ASSERT_EQ(read.getMappingFromFile(L"EndPlate", L"Left"), eOk);
    EXPECT_TRUE(read.isEqual(mapping));
    EXPECT_TRUE(mapping.isEqual(read));
    EXPECT_EQ(read.getMappingFromFile(L"EndPlate", L"left"), eInvalidInput)
        << "keys compare exactly";
    EXPECT_EQ(read.getMappingFromFile(L"Missing", L"Left"), eInvalidInput);
}

TEST_F(MappingFileTest, WritingAnEqualMappingAgainLeavesTheFileUntouched) {
    KvSSMapping mapping = twoPairs();
    Trk_String key = L"Left";
    ASSERT_EQ(mapping.setMappingToFile(L"EndPlate", key), eOk);
    const auto path = library.mapFile(L"EndPlate");
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    std::filesystem::last_write_time(path, old);
    const std::string bytes = LibraryFolder::readBytes(path);

    KvSSMapping same;
    same.objects = {mapping.objects[1], mapping.objects[0]};
    same.objects[0].ssVarName = L"BOLTS";
    ASSERT_EQ(same.setMappingToFile(L"EndPlate", key), eOk);
    EXPECT_EQ(LibraryFolder::readBytes(path), bytes);
    EXPECT_EQ(std::filesystem::last_write_time(path), old);
}

TEST_F(MappingFileTest, ADifferentMappingUnderAKeyReplacesItsLineAtTheEnd) {
    library.writeLines(L"EndPlate", {L"Mapping version 1.0", L"Left=", L"Right=", L"Top="});
    KvSSMapping mapping = twoPairs();
    Trk_String key = L"Left";
    ASSERT_EQ(mapping.setMappingToFile(L"EndPlate", key), eOk);
    EXPECT_EQ(library.readLines(L"EndPlate"), (Trk_StringArray{L"Mapping version 1.0", L"Right=",
                                                               L"Top=", lineOf(mapping, L"Left")}));

    KvSSMapping right;
    ASSERT_EQ(right.getMappingFromFile(L"EndPlate", L"Right"), eOk);
    EXPECT_EQ(right.objects.length(), 0);
}

TEST_F(MappingFileTest, AFileWithoutHeaderIsReadFromItsFirstLineAndGetsOneWhenWritten) {
    library.writeLines(L"EndPlate", {lineOf(twoPairs(), L"Left"), L"Other="});
    KvSSMapping read;
    ASSERT_EQ(read.getMappingFromFile(L"EndPlate", L"Left"), eOk);
    EXPECT_EQ(read.objects.length(), 2);

    KvSSMapping empty;
    Trk_String key = L"Other";
    empty.objects.append(object(KvMapType::GenVar, L"", L"gen_Gap", L"Gap"));
    ASSERT_EQ(empty.setMappingToFile(L"EndPlate", key), eOk);
    const Trk_StringArray lines = library.readLines(L"EndPlate");
    ASSERT_EQ(lines.length(), 3);
    EXPECT_EQ(lines[0], L"Mapping version 1.0");
    EXPECT_EQ(lines[1], lineOf(twoPairs(), L"Left"));
}

TEST_F(MappingFileTest, AnEmptyFileKeepsTheObjects) {
    library.writeLines(L"EndPlate", {L"Mapping version 1.0"});
    KvSSMapping mapping = twoPairs();
    EXPECT_EQ(mapping.getMappingFromFile(L"EndPlate", L"Left"), eOk);
    EXPECT_EQ(mapping.objects.length(), 2);
}

TEST_F(MappingFileTest, RepeatedAndFileUnsafeVariablesAndTypelessObjectsAreNotStored) {
    KvSSMapping mapping = twoPairs();
    mapping.objects.append(object(KvMapType::CutRadius, L"Plate1", L"Cut1", L"thick"));
    mapping.objects.append(object(KvMapType::CutRadius, L"Plate1", L"Cut1", L"a/b"));
    mapping.objects.append(object(KvMapType::None, L"Plate1", L"Cut1", L"Typeless"));
    Trk_String key = L"Left";
    ASSERT_EQ(mapping.setMappingToFile(L"EndPlate", key), eOk);
    EXPECT_EQ(library.readLines(L"EndPlate")[1], lineOf(twoPairs(), L"Left"));
}

TEST_F(MappingFileTest, AnUnwritableFileFails) {
    std::filesystem::remove_all(library.root() / "Connection Standards");
    KvSSMapping mapping = twoPairs();
    Trk_String key = L"Left";
    EXPECT_EQ(mapping.setMappingToFile(L"EndPlate", key), eInvalidInput);
}

TEST_F(MappingFileTest, AMappingFileThatIsThereButCannotBeReadIsNotReplaced) {
    const auto target = library.root() / "elsewhere";
    std::filesystem::create_directories(target);
    std::filesystem::create_directory_symlink(target, library.mapFile(L"EndPlate"));
    KvSSMapping mapping = twoPairs();
    Trk_String key = L"Left";
    EXPECT_EQ(mapping.setMappingToFile(L"EndPlate", key), eInvalidInput);
    EXPECT_TRUE(std::filesystem::is_symlink(library.mapFile(L"EndPlate")));
    EXPECT_TRUE(std::filesystem::is_directory(target));
}

TEST_F(MappingFileTest, HasSameMappingGivesTheKeyOfTheFirstEqualLine) {
    KvSSMapping mapping = twoPairs();
    library.writeLines(L"EndPlate", {L"Mapping version 1.0", L"Broken", L"Empty=",
                                     lineOf(mapping, L"First"), lineOf(mapping, L"Second")});
    KvSSMapping lookingFor;
    lookingFor.objects.append(mapping.objects[1]);
    Trk_String key;
    ASSERT_TRUE(lookingFor.hasSameMapping(L"EndPlate", key));
    EXPECT_EQ(key, L"First");

    KvSSMapping other;
    other.objects.append(object(KvMapType::GenVar, L"", L"gen_Gap", L"Gap"));
    key = L"unchanged";
    EXPECT_FALSE(other.hasSameMapping(L"EndPlate", key));
    EXPECT_EQ(key, L"unchanged");
    EXPECT_FALSE(mapping.hasSameMapping(L"Missing", key));
}

} // namespace
} // namespace mappingtest
