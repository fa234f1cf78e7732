// Speed of the element form on a large module: 100,000 entries, 200
// elements of every kind. Compare BM_FormEntrySelectorFill with
// BM_BareComboFill (bench/BareComboYardstick.cpp) from the same run.

#include <benchmark/benchmark.h>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "FormBenchData.h"
#include "platform/store/RegistryStore.h"
#include "platform/windows/CComboBox.h"
#include "table/CTableModule.h"
#include "ui/CEditorDlg.h"
#include "ui/EditorState.h"

namespace {

constexpr int kEntries = 100000;
constexpr int kElements = 200;

struct ElementShape {
    std::uint32_t size;
    std::uint8_t style;
};

// Numbers, signed and hexadecimal numbers, hex arrays, text and dropboxes
// in turn, so every kind of row is built and shown.
constexpr ElementShape kShapes[] = {
        {2, 0}, {1, STYLE_SIGNED}, {2, STYLE_HEX}, {4, STYLE_HEXARRAY}, {8, STYLE_TEXT}, {1, STYLE_DROPBOX},
};

std::unique_ptr<CTableModule> MakeBigModule() {
    auto module = std::make_unique<CTableModule>();
    module->m_strName = "Benchmark";
    module->m_nEntryCount = kEntries;
    module->m_entryNames = FormBenchEntryLabels();
    std::uint32_t offset = 0;
    for (int i = 0; i < kElements; ++i) {
        const ElementShape& shape = kShapes[static_cast<std::size_t>(i) % std::size(kShapes)];
        ModuleElement e;
        e.name = "Element " + std::to_string(i);
        e.offset = offset;
        e.size = shape.size;
        e.style = shape.style;
        if (shape.style & STYLE_DROPBOX)
            for (std::uint32_t v = 0; v < 16; ++v) {
                e.values.push_back(v * 3);
                e.valueNames.push_back("Value " + std::to_string(v));
            }
        e.valueCount = static_cast<std::int32_t>(e.values.size());
        offset += shape.size;
        module->AddElement(std::move(e));
    }
    module->m_nEntryLength = offset;
    return module;
}

// One dialog with the big module current and a ROM open, as the module
// list and Open Rom leave it, for every benchmark of this file.
struct FormBench {
    FormBench() {
        RegistryStore::SetFolder("/nonexistent/quill-bench-registry");
        dlg.Create();
        dlg.State().modules.push_back(MakeBigModule());
        dlg.State().currentModule = 0;
        FillRom(static_cast<std::size_t>(Module().m_nEntryLength) * kEntries);
    }

    void FillRom(std::size_t length) {
        std::vector<std::uint8_t> image(length);
        std::uint32_t seed = 12345;
        for (std::size_t i = 0; i < length; ++i) {
            seed = seed * 1103515245u + 12345u;
            image[i] = static_cast<std::uint8_t>(seed >> 16);
        }
        dlg.State().document.Adopt(image, "bench.rom");
    }

    CTableModule& Module() { return *dlg.Modules()[0]; }

    CEditorDlg dlg;
};

FormBench& Bench() {
    static FormBench bench;
    return bench;
}

void BM_FormEntrySelectorFill(benchmark::State& state) {
    CComboBox& selector = *Bench().dlg.EntryCombo();
    const EntryLabels& labels = FormBenchEntryLabels();
    for (auto _ : state) {
        // Timed with the list of views, which the form builds on each fill.
        selector.AddStrings(labels.Views());
        state.PauseTiming();
        if (selector.GetCount() != kEntries) state.SkipWithError("selector not filled");
        selector.ResetContent();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FormEntrySelectorFill)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_FormBuildAndDestroy(benchmark::State& state) {
    FormBench& b = Bench();
    for (auto _ : state) {
        b.dlg.BuildForm(0);
        b.dlg.DestroyForm();
    }
}
BENCHMARK(BM_FormBuildAndDestroy)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_FormSwitchEntry(benchmark::State& state) {
    FormBench& b = Bench();
    b.dlg.BuildForm(0);
    int entry = 0;
    for (auto _ : state) {
        entry = (entry + 4999) % kEntries;
        if (!b.Module().SelectEntry(entry, b.dlg.Document().Data(), b.dlg.Document().Length()))
            state.SkipWithError("entry not selected");
        b.dlg.ShowEntry();
    }
    b.dlg.DestroyForm();
}
BENCHMARK(BM_FormSwitchEntry)->Unit(benchmark::kMillisecond);

} // namespace

const EntryLabels& FormBenchEntryLabels() {
    static const EntryLabels labels = [] {
        EntryLabels out;
        for (int k = 0; k < kEntries; ++k)
            out.push_back("Creature " + std::to_string(k) + (k % 7 == 0 ? " of the marsh" : ""));
        return out;
    }();
    return labels;
}
