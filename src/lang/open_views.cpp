// The open views, reached through the source that the document layer sets.
#include "lang/open_views.h"

#include <utility>

namespace kelpo {
namespace {

OpenViewsSource& Source() {
    static OpenViewsSource source;
    return source;
}

}  // namespace

void SetOpenViewsSource(OpenViewsSource source) { Source() = std::move(source); }

EditorView* ActiveView() { return Source().active ? Source().active() : nullptr; }

void ForEachOpenView(const OpenViewVisitor& visit) {
    if (Source().forEach) {
        Source().forEach(visit);
    }
}

}  // namespace kelpo
