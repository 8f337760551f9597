// Fuzz entry for "favorite.xml" and the old favourites lines: any file gives a menu whose
// commands stay in their range and whose pop-ups all close, and any old line reads.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/fuzz_input.h"
#include "panes/favorites_model.h"
#include "xml/xml_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const kelpo::OldFavoriteLine old = kelpo::ParseOldFavoriteLine(kelpo::fuzz::Widen(bytes));
    kelpo::LabelOfPath(old.path);

    kelpo::XmlDocument document;
    if (!document.Parse(bytes.data(), static_cast<std::ptrdiff_t>(bytes.size()))) return 0;
    const kelpo::XmlElement* root = kelpo::FavoritesRoot(document, false);
    if (root == nullptr) return 0;
    kelpo::FindFavoriteByPath(*root, "C:\\work\\a.c");
    const kelpo::FavoriteMenuPlan plan = kelpo::PlanFavoritesMenu(*root, size % 2 == 0);
    int depth = 0;
    int lastCommand = kelpo::kFirstFavoriteCommand - 1;
    for (const kelpo::FavoriteMenuRow& row : plan.rows) {
        if (row.kind == kelpo::FavoriteRowKind::Popup) ++depth;
        if (row.kind == kelpo::FavoriteRowKind::End && --depth < 0) std::abort();
        if (row.kind == kelpo::FavoriteRowKind::File) {
            if (row.command <= lastCommand || row.command > kelpo::kLastFavoriteCommand) std::abort();
            lastCommand = row.command;
        }
    }
    if (depth != 0 || plan.overflow < 0) std::abort();
    return 0;
}
