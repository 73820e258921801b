// The picture libraries' reader: a real resource file is read by name, and damaged copies of it
// are refused without reading past their end.

#include "table/resource_library.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <random>

#include "core/text/resource_file_check.h"
#include "table/picture_store.h"

namespace orvala::table {
namespace {

QByteArray testLibrary() {
    QFile f(ORVALA_TEST_LIBRARY);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

ResourceFileCheck check(const QByteArray& b) {
    return checkResourceFile(
        {reinterpret_cast<const std::uint8_t*>(b.constData()), static_cast<std::size_t>(b.size())});
}

const char* const kNames[] = {"Pi5AMedB", "Ch09MedB", "Kr4KMed", "Ob01MoCl1B", "Fon03Gr"};

TEST(ResourceLibrary, ReadsPicturesByNameAndOnlyThose) {
    const QByteArray bytes = testLibrary();
    const ResourceFileCheck c = check(bytes);
    EXPECT_TRUE(c.ok) << c.problem;
    EXPECT_EQ(c.files, 5);
    auto lib = ResourceLibrary::open(ORVALA_TEST_LIBRARY);
    ASSERT_NE(lib, nullptr);
    BuiltInPictures builtIn;
    EXPECT_EQ(lib->picture("Pi5AMedB").convertToFormat(QImage::Format_ARGB32),
              builtIn.picture("Pi5AB").convertToFormat(QImage::Format_ARGB32));
    EXPECT_EQ(lib->picture("Fon03Gr").size(), QSize(760, 500));
    EXPECT_EQ(lib->picture("Kr4KMed").size(), QSize(69, 94));
    // Names it does not hold, and names that try to leave the library's root.
    for (const char* name : {"Pi5AMed", "", "../art/FonG", "/art/FonG", "Ch09B"})
        EXPECT_TRUE(lib->picture(name).isNull()) << name;
    // Two libraries open at once keep to themselves, and closing one leaves the other readable.
    auto second = ResourceLibrary::open(ORVALA_TEST_LIBRARY);
    ASSERT_NE(second, nullptr);
    lib.reset();
    EXPECT_FALSE(second->picture("Ch09MedB").isNull());
}

TEST(ResourceLibrary, TheStoreLoadsASetFromARealLibraryAndFillsItsGaps) {
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(ORVALA_TEST_LIBRARY, QDir(dir.path()).filePath("ZorCards06A.dll")));
    std::vector<QString> messages;
    PictureStore store({dir.path()}, [&](const QString& m) { messages.push_back(m); });
    Settings s;
    s.CardFaceSet = 1;  // "Med"
    EXPECT_TRUE(store.LoadCardFaces(s, PictureKind::Png));
    EXPECT_EQ(s.CardFaceSet, 1);
    EXPECT_EQ(store.FaceOf(*parseCard("As")).convertToFormat(QImage::Format_ARGB32),
              store.picture("Pi5AB").convertToFormat(QImage::Format_ARGB32));
    ASSERT_EQ(messages.size(), 1u);  // the set's other faces are missing
    EXPECT_TRUE(messages[0].startsWith("Can`t find the file ZorCards06A.dll: "))
        << messages[0].toStdString();
}

// Every truncation and a spread of byte changes: the check refuses or the file reads safely.
TEST(ResourceLibrary, DamagedFilesAreRefusedOrReadSafely) {
    const QByteArray good = testLibrary();
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("ZorCards06A.dll");
    auto tryFile = [&](const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        f.close();
        const bool checked = check(bytes).ok;
        auto lib = ResourceLibrary::open(path);
        // What the check refuses is never mapped (the resource system may refuse more).
        EXPECT_TRUE(lib == nullptr || checked);
        if (lib)
            for (const char* name : kNames) (void)lib->picture(name);  // must not crash
    };
    // The header comes first, then the pictures, then the names and the tree at the end.
    auto u32 = [&](int at) {
        return static_cast<qsizetype>((uchar(good[at]) << 24) | (uchar(good[at + 1]) << 16) |
                                      (uchar(good[at + 2]) << 8) | uchar(good[at + 3]));
    };
    const qsizetype tail = std::min(u32(8), u32(16));
    ASSERT_GT(tail, 24);
    ASSERT_LT(tail, good.size());
    // Cut short in the header, anywhere in the names and the tree, and through the pictures.
    int refused = 0;
    for (qsizetype n = 0; n < good.size(); n += (n < 24 || n >= tail) ? 1 : 4093) {
        tryFile(good.left(n));
        refused += !check(good.left(n)).ok;
    }
    EXPECT_GT(refused, 0);
    EXPECT_FALSE(check(good.left(good.size() - 1)).ok);
    // Single bytes set to 0xff or 0x00 or flipped at seeded places of the header, the names
    // and the tree.
    std::mt19937 rng(5);
    for (int i = 0; i < 300; ++i) {
        QByteArray bad = good;
        const auto pick =
            static_cast<qsizetype>(rng() % static_cast<unsigned>(24 + good.size() - tail));
        const qsizetype at = pick < 24 ? pick : tail + pick - 24;
        const int how = static_cast<int>(rng() % 3);
        bad[at] = how == 0 ? '\xff' : how == 1 ? '\0' : static_cast<char>(bad[at] ^ 0x5a);
        tryFile(bad);
    }
    // Offsets that point past the end are refused.
    QByteArray far = good;
    far[8] = '\x7f';  // the tree offset
    EXPECT_FALSE(check(far).ok);
    EXPECT_EQ(check(far).problem, "offsets outside the file");
}

}  // namespace
}  // namespace orvala::table
