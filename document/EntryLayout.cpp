#include "document/EntryLayout.h"

#include <algorithm>
#include <set>
#include <utility>

#include "table/CTableModule.h"

namespace {

using Edge = std::pair<uint64_t, int>;

struct Edges {
    std::vector<Edge> starts;
    std::vector<Edge> ends;
    std::vector<uint64_t> cuts;
};

// An entry may be gigabytes long, so the map is made from the elements'
// edges, never byte by byte.
Edges EdgesOf(const CTableModule& module) {
    Edges edges;
    const uint64_t length = module.m_nEntryLength;
    edges.cuts = {0, length};
    for (size_t i = 0; i < module.m_elements.size(); ++i) {
        const ModuleElement& e = *module.m_elements[i];
        const uint64_t begin = std::min<uint64_t>(e.offset, length);
        const uint64_t end = std::min<uint64_t>(begin + e.size, length);
        if (begin == end) continue;
        edges.starts.emplace_back(begin, static_cast<int>(i));
        edges.ends.emplace_back(end, static_cast<int>(i));
        edges.cuts.push_back(begin);
        edges.cuts.push_back(end);
    }
    std::sort(edges.starts.begin(), edges.starts.end());
    std::sort(edges.ends.begin(), edges.ends.end());
    std::sort(edges.cuts.begin(), edges.cuts.end());
    edges.cuts.erase(std::unique(edges.cuts.begin(), edges.cuts.end()), edges.cuts.end());
    return edges;
}

} // namespace

std::vector<EntryLayout::Span> EntryLayout::Of(const CTableModule& module) {
    const Edges edges = EdgesOf(module);
    std::vector<Span> spans;
    std::set<int> covering;
    size_t started = 0;
    size_t ended = 0;
    for (size_t k = 0; k + 1 < edges.cuts.size(); ++k) {
        const uint64_t at = edges.cuts[k];
        for (; ended < edges.ends.size() && edges.ends[ended].first <= at; ++ended)
            covering.erase(edges.ends[ended].second);
        for (; started < edges.starts.size() && edges.starts[started].first <= at; ++started)
            covering.insert(edges.starts[started].second);
        spans.push_back({at, edges.cuts[k + 1], std::vector<int>(covering.begin(), covering.end())});
    }
    return spans;
}
