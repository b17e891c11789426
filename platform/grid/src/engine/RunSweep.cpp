// Runs computed in sweeps: a block of a run whose references each read down one page is read
// in pieces, all inputs of a row together, which keeps several memory streams busy at once;
// fetching ahead (the results' cells included) hides their latency. Each piece is computed on
// doubles and stored before the next one is read, while it is still at hand.
#include "engine/Resolve.h"
#include "engine/SheetImpl.h"

#include <algorithm>
#include <array>
#include <bit>

namespace gridx {

using namespace engine;

namespace engine {

// The state of one block's sweep.
struct Sweep {
    std::array<const Value*, kRunRefLimit> from{};  // each reference's first cell
    std::array<std::size_t, kRunRefLimit> stride{}; // 1, or 0 for a fixed row
    std::array<double*, kRunRefLimit> into{};       // its numbers, one per row
    std::array<Page*, kRunRefLimit> pages{};        // each reference's page
    std::array<std::size_t, kRunRefLimit> at{};     // and its first slot there
    Page* out = nullptr;                            // the results' page
    std::size_t refs = 0;
    std::uint8_t* plain = nullptr;        // per row: every input a finite number
    const std::uint32_t* ids = nullptr;   // the results' formula ids
    const std::uint64_t* marks = nullptr; // the results' page: cells marked dirty
    std::size_t first = 0;                // the results' first slot in their page
    std::size_t reach = 0;                // rows from the first that every stream has in its page
    const Value* results = nullptr;
    const FormulaState* states = nullptr;
    const Program* program = nullptr;
    std::uint32_t passId = 0;
    std::uint8_t flags = 0; // out: the flags of the rows' formulas, or-ed together
    bool strided = false;   // some reference reads a fixed row
    bool known = false;     // the page's marks alone tell which rows wait

    // Moves on past `rows` rows read.
    void advance(std::size_t rows) {
        for (std::size_t k = 0; k < refs; ++k) {
            from[k] += rows * stride[k];
            at[k] += rows * stride[k];
        }
        ids += rows;
        results += rows;
        first += rows;
        reach -= rows;
    }
};

} // namespace engine

namespace {

constexpr int kSweepRows = 128; // rows read, computed and stored at a time

// How many slots from `first` on (at most `rows`) are marked, up to the first that is not.
std::size_t markedRun(const std::uint64_t* marks, std::size_t first, std::size_t rows) {
    std::size_t n = 0;
    while (n < rows) {
        const std::size_t at = first + n;
        const auto bits = static_cast<std::size_t>(64 - (at & 63));
        const auto ones = static_cast<std::size_t>(std::countr_one(marks[at >> 6] >> (at & 63)));
        n += std::min(ones, bits);
        if (ones < bits) break;
    }
    return std::min(n, rows);
}

// True when bits [from, from + count) are all set.
bool allSet(const std::uint64_t* bits, std::size_t from, std::size_t count) {
    while (count > 0) {
        const std::size_t shift = from & 63;
        const std::size_t take = std::min<std::size_t>(64 - shift, count);
        const std::uint64_t mask = (take == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << take) - 1)
                                   << shift;
        if ((bits[from >> 6] & mask) != mask) return false;
        from += take;
        count -= take;
    }
    return true;
}

// Reads the rows of the sweep until the first that holds another formula or needs no
// evaluation; returns how many were read. `Refs` fixes the number of references when it is
// small, so that the compiler unrolls the inner loop; 0 reads it from the sweep. `Strided`:
// some reference reads a fixed row.
template <std::size_t Refs, bool Strided>
std::size_t sweepRows(Sweep& s, std::size_t rows) {
    // Local copies: the byte-wide writes below could alias anything reached through `s`.
    constexpr std::size_t kSlots = Refs != 0 ? Refs : kRunRefLimit;
    const std::size_t refs = Refs != 0 ? Refs : s.refs;
    std::array<const Value*, kSlots> from{};
    std::array<std::size_t, kSlots> stride{};
    std::array<double*, kSlots> into{};
    for (std::size_t k = 0; k < refs; ++k) {
        from[k] = s.from[k];
        stride[k] = s.stride[k];
        into[k] = s.into[k];
    }
    std::uint8_t* const plain = s.plain;
    const std::uint32_t* const ids = s.ids;
    const std::uint64_t* const marks = s.marks;
    const FormulaState* const states = s.states;
    const Value* const results = s.results;
    const Program* const program = s.program;
    const std::size_t first = s.first;
    const std::size_t reach = s.reach;
    const std::uint32_t passId = s.passId;
    unsigned flags = 0;
    std::size_t i = 0;
    for (; i < rows; ++i) {
        if ((i & 3) == 0) {
            // Past the block too: the next block goes on down the same pages.
            const std::size_t ahead = std::min(i + kRunFetchAhead, reach - 1);
            for (std::size_t k = 0; k < refs; ++k)
                __builtin_prefetch(from[k] + (Strided ? ahead * stride[k] : ahead));
            __builtin_prefetch(results + ahead, 1);
            __builtin_prefetch(states + ids[ahead]);
        }
        const std::size_t at = first + i;
        if (!((marks[at >> 6] >> (at & 63)) & 1)) break;
        const FormulaState& state = states[ids[i]];
        if (state.program != program || state.evalStamp == passId) break;
        flags |= state.flags;
        unsigned ok = plain[i];
        for (std::size_t k = 0; k < refs; ++k) {
            // What is no number is left to the general evaluator: its payload does not matter.
            // Non-finite numbers need no check here: the computation finds them in its results.
            const Value& value = from[k][Strided ? i * stride[k] : i];
            into[k][i] = value.payloadAsNumber();
            ok &= static_cast<unsigned>(value.isNumber());
        }
        plain[i] = static_cast<std::uint8_t>(ok);
    }
    s.flags = static_cast<std::uint8_t>(flags);
    return i;
}

} // namespace

bool Sheet::Impl::sweepTogether(const Program& program, int col, int row, int& rows,
                                bool& waiting) {
    std::array<RunSource, kRunRefLimit> sources{};
    int refs = 0, n = rows;
    // Each reference's cells must lie in one page: the block ends where the first page does.
    for (std::size_t k = 0; k < runCode.count; ++k) {
        const RunStep& step = runCode.steps[k];
        if (step.op != Op::Ref) continue;
        const std::uint32_t flags = argOf(*step.at);
        const bool fixedRow = flags & kAbsRow;
        int c = 0, r = 0;
        if (!resolveRef(step.at, col, row, c, r)) return false;
        Page* page = cells.pageAt(c, r);
        if (!page || (!fixedRow && !validRow(r + n - 1))) return false;
        const auto at = static_cast<std::size_t>(r & (kPageSize - 1));
        if (!fixedRow) n = std::min(n, kPageSize - static_cast<int>(at));
        sources[static_cast<std::size_t>(refs++)] = RunSource{page, at, fixedRow};
    }
    int ready = n;
    for (int k = 0; k < refs; ++k) {
        const RunSource& source = sources[static_cast<std::size_t>(k)];
        if (source.page->dirtyCount == 0) continue;
        const int upTo = readyRows(*source.page, source.at, source.fixedRow ? 1 : ready);
        ready = source.fixedRow && upTo == 1 ? ready : upTo;
    }
    Sweep sweep = makeSweep(program, std::span(sources.data(), static_cast<std::size_t>(refs)),
                            *cells.pageAt(col, row), row & (kPageSize - 1));
    // Small pieces at a time, so that what one step writes is still at hand for the next.
    int done = 0;
    const std::uint64_t before = epoch;
    while (done < ready) {
        const int piece = std::min(kSweepRows, ready - done);
        std::fill_n(runPlain.begin(), piece, std::uint8_t{1});
        int read = mirrorPiece(sweep, piece);
        if (read == 0) {
            for (std::size_t k = 0; k < sweep.refs; ++k)
                runInputs[k] = sweep.into[k];
            read = sweepPiece(sweep, piece);
        }
        if (read > 0) storeGathered(col, row + done, read, computeGathered(read));
        done += read;
        // A row for the general evaluator never changes the sheet (the program is plain
        // arithmetic), but should it, the pages read here may be gone.
        if (read < piece || epoch != before) break;
        sweep.advance(static_cast<std::size_t>(read));
    }
    waiting = ready < n && done == ready;
    rows = done;
    return true;
}

Sweep Sheet::Impl::makeSweep(const Program& program, std::span<const RunSource> sources, Page& out,
                             int outAt) {
    Sweep sweep;
    sweep.refs = sources.size();
    for (std::size_t k = 0; k < sweep.refs; ++k) {
        sweep.from[k] = sources[k].page->values.data() + sources[k].at;
        sweep.pages[k] = sources[k].page;
        sweep.at[k] = sources[k].at;
        sweep.stride[k] = sources[k].fixedRow ? 0 : 1;
        sweep.into[k] = runValues.data() + k * static_cast<std::size_t>(kRunChunk);
        sweep.strided = sweep.strided || sources[k].fixedRow;
    }
    sweep.plain = runPlain.data();
    sweep.ids = out.formulas.data() + outAt;
    sweep.marks = out.dirty.data();
    sweep.first = static_cast<std::size_t>(outAt);
    sweep.reach = kPageSize - sweep.first;
    for (const RunSource& source : sources)
        if (!source.fixedRow) sweep.reach = std::min(sweep.reach, kPageSize - source.at);
    sweep.results = out.values.data() + outAt;
    sweep.out = &out;
    sweep.states = states.data();
    sweep.program = &program;
    sweep.passId = passId;
    // In a pass over everything that nothing has disturbed, a marked row of a page filled with
    // this program waits for this run: the formulas' own records need not be read.
    sweep.known = everything && epoch == everythingEpoch && out.sharedProgram == &program &&
                  !out.dirtyBeforeAll;
    return sweep;
}

int Sheet::Impl::mirrorPiece(Sweep& sweep, int n) {
    if (!sweep.known || sweep.strided) return 0;
    const auto rows = markedRun(sweep.marks, sweep.first, static_cast<std::size_t>(n));
    for (std::size_t k = 0; k < sweep.refs; ++k) {
        const NumberMirror& mirror = sweep.pages[k]->numberMirror();
        if (!allSet(mirror.finite.data(), sweep.at[k], rows)) return 0;
        runInputs[k] = mirror.numbers.data() + sweep.at[k];
    }
    sweep.out->numberMirror(); // the results are compared with plain doubles too
    sweep.flags = 0;
    runFlags = 0;
    return static_cast<int>(rows);
}

int Sheet::Impl::sweepPiece(Sweep& sweep, int n) {
    const auto rows = static_cast<std::size_t>(n);
    // Common shapes get loops of their own: a few references, each reading down its column.
    std::size_t read = 0;
    if (sweep.strided)
        read = sweepRows<0, true>(sweep, rows);
    else if (sweep.refs == 1)
        read = sweepRows<1, false>(sweep, rows);
    else if (sweep.refs == 2)
        read = sweepRows<2, false>(sweep, rows);
    else if (sweep.refs == 3)
        read = sweepRows<3, false>(sweep, rows);
    else
        read = sweepRows<0, false>(sweep, rows);
    runFlags = sweep.flags;
    return static_cast<int>(read);
}

} // namespace gridx
