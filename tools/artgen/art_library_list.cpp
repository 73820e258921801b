// What each picture library holds. Every name comes from the naming functions of the table, so
// the libraries and the loader cannot disagree about a name.

#include <set>

#include "art_library.h"
#include "art_painter.h"
#include "core/lang/language.h"
#include "core/lang/word_table.h"
#include "table/art_names.h"
#include "table/picture_names.h"

namespace orvala::artgen {
namespace {

using table::PictureKind;

constexpr PictureKind kKinds[2] = {PictureKind::Bitmap, PictureKind::Png};

// A name that several sets share (set 6's nines use set 2's "Mod" faces) is drawn once, in the
// style of the set whose own suffix it carries; a set whose name no set of the library owns draws
// it itself.
template <typename NameOf>
int ownerOf(const QString& name, int set, int first, int last, int rank, NameOf nameOf) {
    for (int s = first; s <= last; ++s)
        if (nameOf(s) == name && table::faceGroupSuffix(s, rank) == table::faceSetSuffix(s))
            return s;
    return set;
}

void addFaceSets(std::vector<LibraryPicture>& out, int first, int last) {
    std::set<QString> seen;
    for (int set = first; set <= last; ++set) {
        for (int suit = 1; suit <= 4; ++suit)
            for (int rank = 1; rank <= 6; ++rank)
                for (PictureKind kind : kKinds) {
                    const QString name = table::faceResourceName(suit, rank, set, kind);
                    if (!seen.insert(name).second) continue;
                    const int owner = ownerOf(name, set, first, last, rank, [&](int s) {
                        return table::faceResourceName(suit, rank, s, kind);
                    });
                    const bool bitmap = kind == PictureKind::Bitmap;
                    out.push_back(
                        {name, [=] { return drawLibraryFace(owner, rank, suit, bitmap); }});
                }
        for (int suit = 1; suit <= 4; ++suit)
            for (PictureKind kind : kKinds) {
                const QString name = table::trumpSymbolName(suit, set, kind);
                if (!seen.insert(name).second) continue;
                // The symbols go with the nines and tens.
                const int owner = ownerOf(name, set, first, last, 1, [&](int s) {
                    return table::trumpSymbolName(suit, s, kind);
                });
                const bool bitmap = kind == PictureKind::Bitmap;
                out.push_back({name, [=] { return drawLibrarySymbol(owner, suit, bitmap); }});
            }
    }
}

void addBacks(std::vector<LibraryPicture>& out) {
    for (int set = 1; set <= 12; ++set)
        for (int b = 1; b <= table::deckBackCount(set); ++b) {
            const auto add = [&](PictureKind kind, bool wide, int w, int h) {
                out.push_back({table::backResourceName(b, set, kind, wide),
                               [=] { return drawLibraryBack(set, b, w, h); }});
            };
            add(PictureKind::Bitmap, true, art::kBitmapFaceWidth, art::kBitmapFaceHeight);
            add(PictureKind::Png, true, art::kPngFaceWidth, art::kPngFaceHeight);
            add(PictureKind::Png, false, art::kNarrowPngFaceWidth, art::kPngFaceHeight);
        }
    // The built-in backs for narrow cards: the built-in designs on the narrow card.
    for (int b = 1; b <= art::kBuiltInBacks; ++b)
        out.push_back({table::backResourceName(b, 0, PictureKind::Png, false),
                       [=] { return drawNarrowBack(b - 1); }});
}

void addBackgrounds(std::vector<LibraryPicture>& out) {
    for (int texture = 1; texture <= 10; ++texture)
        for (int colour = 0; colour <= 6; ++colour) {
            if (texture == 2 && colour == 0) continue;  // the built-in cloth
            out.push_back({table::backgroundResourceName(texture, colour, 1),
                           [=] { return drawBackground(texture, colour, 760, 500); }, true});
            out.push_back({table::backgroundResourceName(texture, colour, 2),
                           [=] { return drawBackground(texture, colour, 1920, 922); }, true});
        }
}

void addDesign(std::vector<LibraryPicture>& out) {
    out.push_back({"BGLilu", [] { return drawPurpleGround(1920, 922); }, true});
    out.push_back({"GTouch", [] { return drawSaluteStrip(); }});
    out.push_back({"GIcon48Opt", [] { return drawOptionsIcon(48); }});
    // The heads of the options and history windows carry the word in each language that has
    // pictures of its own (Japanese and Korean use the English ones).
    for (int language = 0; language <= 7; ++language) {
        const QString code = QString::fromUtf8(PictureCode(language));
        const bool cjk = language == 5;
        const auto word = [&](WordRow row) { return QString::fromUtf8(Word(row, language)); };
        const QString options = word(WordRow::Options), history = word(WordRow::History);
        out.push_back({"GFormOpt" + code, [=] { return drawFormHead(options, cjk, 400, 60, 0); }});
        out.push_back(
            {"GFormHistory" + code, [=] { return drawFormHead(history, cjk, 400, 60, 1); }});
    }
}

}  // namespace

QStringList libraryFiles() {
    return {table::kFacesLibraryA,     table::kFacesLibraryB, table::kFacesLibraryC,
            table::kBackgroundLibrary, table::kDesignLibrary, table::kCalendarLibrary,
            table::kRadioLibrary};
}

std::vector<LibraryPicture> libraryPictures(const QString& file) {
    std::vector<LibraryPicture> out;
    if (file == table::kFacesLibraryA) {
        addFaceSets(out, 1, 31);
    } else if (file == table::kFacesLibraryB) {
        addFaceSets(out, 32, 39);
        addBacks(out);
    } else if (file == table::kFacesLibraryC) {
        addFaceSets(out, 40, 47);
    } else if (file == table::kBackgroundLibrary) {
        addBackgrounds(out);
    } else if (file == table::kDesignLibrary) {
        addDesign(out);
    } else if (file == table::kCalendarLibrary) {
        addCalendar(out);
    } else if (file == table::kRadioLibrary) {
        addRadio(out);
    }
    return out;
}

}  // namespace orvala::artgen
