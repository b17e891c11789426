// The state behind gridx::Sheet and the operations its public functions are made of.
#pragma once

#include "engine/CellStore.h"
#include "engine/DependencyIndex.h"
#include "engine/Evaluator.h"
#include "engine/Program.h"
#include "engine/StatsCache.h"
#include "grid/Sheet.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace gridx {

namespace engine {

// What recalculation reads for every formula it passes, kept apart from the rest so that
// passes over many formulas stream through little memory.
struct FormulaState {
    Program* program = nullptr;  // null: the id is free
    std::uint32_t evalStamp = 0; // the last pass that evaluated it
    std::uint8_t flags = 0;
};

struct FormulaRec {
    int col = 0;
    int row = 0;
    std::uint32_t edgeBase = 0;
    std::uint32_t generation = 0; // grows each time the id is given out
    std::uint32_t visitIndex = 0; // order of discovery while it is being visited
};

enum FormulaFlags : std::uint8_t {
    kDirty = 1,    // waits for recalculation
    kVisiting = 2, // on the component stack of the running pass
};

struct AxisEdit;
using CellList = std::vector<std::pair<int, int>>;

struct CustomEntry {
    std::wstring name; // upper case
    int minArgs = 0;
    int maxArgs = 0;
    unsigned flags = 0;
    std::shared_ptr<CustomFunction> callback; // shared: a callback may replace itself
};

// How one row of a run of arithmetic formulas came out.
enum class RowOutcome {
    Number,   // computed on plain doubles
    General,  // inputs are ready but need the general evaluator
    NotReady, // an input still waits for recalculation
};

// A program of plain arithmetic decoded once for a whole run of rows.
struct RunStep {
    Op op = Op::Number;
    double number = 0.0;               // Number: the value
    const std::uint32_t* at = nullptr; // Ref: the instruction
    int input = 0;                     // Ref: its place among the program's references
};
struct RunCode {
    std::array<RunStep, 64> steps{};
    std::size_t count = 0;
    // False when the program has more steps than fit.
    bool compile(const Program& program);

private:
    bool decode(const Program& program);
    const Program* source = nullptr; // what was decoded last, and its code
    std::vector<std::uint32_t> words;
    bool valid = false;
};

// Where one reference of a run reads its cells: from slot `at` of the page down, or that one
// slot for every row.
struct RunSource {
    Page* page = nullptr;
    std::size_t at = 0;
    bool fixedRow = false;
};

struct Sweep; // a block of a run being read (Runs.cpp)

// Which formulas a pass evaluates.
enum class PassKind {
    Everything, // every formula
    All,        // every dirty formula and every volatile one
    Roots,      // the given formulas and the dirty formulas they read
};

// The content of one cell while it is carried somewhere else (copies, swaps).
struct CarriedCell {
    int dCol = 0;
    int dRow = 0;
    Value value;
    Program* program = nullptr; // holds a reference
};

} // namespace engine

struct Sheet::Impl final : engine::EvalHost, FnContext {
    Impl();
    ~Impl() override;

    // --- contents (SheetCore.cpp)
    bool inSheet(int col, int row) const;
    bool inFormulaArea(int col, int row) const;
    void placeConstant(int col, int row, Value value);
    std::uint32_t placeFormula(int col, int row, engine::Program* program);
    void clearContent(int col, int row);
    void discardContent(int col, int row); // without unregistering (dependencies are rebuilt)
    std::uint32_t allocateFormula(engine::Program* program, int col, int row);
    void freeFormula(std::uint32_t id, bool unregister);
    void registerFormula(std::uint32_t id);
    void rebuildDependencies();
    void maybeRebuildDependencies();
    bool markDirty(std::uint32_t id);
    void markReadersDirty(int col, int row);
    void markAllDirty();
    void afterEdit(std::uint32_t root);
    const engine::CustomEntry* findCustom(std::wstring_view upperName) const;
    void markCallersDirty(std::wstring_view upperName);
    std::uint32_t liveFormulas() const { return liveFormulas_; }

    // --- recalculation (Recalc.cpp)
    void runPass(engine::PassKind kind, std::span<const std::uint32_t> roots);
    // Dirty and not evaluated in the running pass yet. In a pass over everything every formula
    // cell starts marked, and a block of a run computed there clears the marks of its cells
    // without stamping each formula: the cell's mark tells.
    bool needsEval(std::uint32_t id) const {
        if (id >= states.size() || !unevaluated(id)) return false;
        if (states[id].flags & engine::kDirty) return true;
        return everything && cells.isDirty(formulas[id].col, formulas[id].row);
    }
    // A formula (id 0: none) not evaluated in the running pass.
    bool unevaluated(std::uint32_t id) const {
        const engine::FormulaState& state = states[id];
        return state.program && state.evalStamp != passId;
    }
    // needsEval for the formula of a cell, read from its page's marks.
    bool waits(engine::Slot slot) const {
        return slot && slot.marked() && unevaluated(slot.formula());
    }
    // needsEval for the formula in slot `at` of a page, read from the page's marks.
    bool waitsAt(const engine::Page& page, std::size_t at) const {
        return (page.dirty[at >> 6] >> (at & 63) & 1) && unevaluated(page.formulas[at]);
    }
    // Evaluates every formula, column by column; false when the sheet changed meanwhile.
    bool evaluateEverything();
    // The formulas of one page of a column that still wait, in row order.
    void evaluatePage(int col, int firstRow);
    // After a pass over everything that the sheet's changes disturbed: what was left out is
    // marked dirty the usual way.
    void markUnevaluatedDirty();
    bool visit(std::uint32_t root);
    bool startVisit(std::uint32_t id);
    void collectChildren(std::uint32_t id);
    bool finishComponent(std::size_t frame);
    void abortVisit();
    bool evaluateInPass(std::uint32_t id);
    void evaluateNow(std::uint32_t id);
    Value evaluateFormula(std::uint32_t id);
    void storeResult(std::uint32_t id, std::uint32_t generation, Value value);
    void setClean(std::uint32_t id);
    void markVolatileDirty();
    void keepDirtyClosed(std::span<const std::uint32_t> ids);

    // --- runs of one arithmetic formula down a column (Runs.cpp)
    // Computes the run starting at formula `id`; the number of rows it computed.
    int evaluateRun(std::uint32_t id);
    // False when the slot is a formula still waiting; otherwise reads it into `number`, or
    // clears `plain` when it is not a finite number.
    bool inputReady(engine::Slot slot, double& number, bool& plain) const {
        if (!slot) {
            plain = false; // empty: the general evaluator knows how it counts
            return true;
        }
        if (waits(slot)) return false;
        if (slot.value().isNumber() && std::isfinite(slot.value().asNumber()))
            number = slot.value().asNumber();
        else
            plain = false;
        return true;
    }
    // The row's result into `out` when it comes out as a Number; `inputs` holds one cursor
    // per reference of the program.
    // Rows from `row` on (at most `limit`) that hold the program and wait.
    int pendingRows(const engine::Program& program, int col, int row, int limit);
    // Reads one reference's cells for n rows into runValues; the rows before the first whose
    // cell still waits (n when none does).
    int gatherInput(const engine::RunStep& step, int col, int row, int n);
    // Computes a block of n rows by sweeps down all inputs together when each reference's
    // cells lie in one page; false (nothing done) otherwise. n becomes the rows computed: up
    // to the end of the first page, to the rows whose inputs are ready (then `waiting` is
    // set), or to the first row that holds another program or needs no evaluation.
    bool sweepTogether(const engine::Program& program, int col, int row, int& rows, bool& waiting);
    engine::Sweep makeSweep(const engine::Program& program,
                            std::span<const engine::RunSource> sources, engine::Page& out,
                            int outAt);
    // Reads the next n rows of the sweep; fewer when a row holds another program or needs no
    // evaluation.
    int sweepPiece(engine::Sweep& sweep, int n);
    // Points runInputs at the number mirrors of the sweep's pages for its next n rows, when
    // those rows wait and every input there is a finite number; the rows, or 0 when not.
    int mirrorPiece(engine::Sweep& sweep, int n);
    // Reads `count` cells of one page (or of no page) down from (col, row) into `values`,
    // clearing `plain` where the cell is no finite number; the rows before the first whose
    // cell waits.
    int gatherSegment(int col, int row, int count, double* values, std::uint8_t* plain);
    // The cells from slot `at` of the page before the first whose formula waits (at most count).
    int readyRows(const engine::Page& page, std::size_t at, int count) const;
    // Computes the first n rows of the gathered block, clearing runPlain where the general
    // evaluator must give the result; the results' rows.
    const double* computeGathered(int n);
    // Stores the results of the first n rows of the block from (col, row).
    void storeGathered(int col, int row, int n, const double* results);
    // Computes a block of rows within one page; `waiting` tells an input cut it short.
    int runChunk(const engine::Program& program, int col, int row, int limit, bool& waiting);
    // Computes rows one at a time until the run ends; the row after the last one computed.
    int runRows(const engine::Program& program, int col, int row);
    engine::RowOutcome runRow(const engine::RunCode& run, int col, int row,
                              std::span<engine::SlotCursor> inputs, double& out);

    // --- structure (SheetStructure.cpp)
    void insertRows(int at, int count);
    void deleteRows(int at, int count);
    void insertCols(int at, int count);
    void deleteCols(int at, int count);
    void copyRange(const RangeRef& source, int destCol, int destRow);
    void swapRanges(const RangeRef& source, int destCol, int destRow);
    void clearRange(const RangeRef& range);
    void clearAll();
    void setMaxRows(int rows);
    void setMaxCols(int cols);
    void beginStructure();
    void endStructure();
    void adjustPrograms(const engine::AxisEdit& edit, int limit);
    void dropCell(int col, int row, int toCol, int toRow);
    void moveCell(int col, int row, int toCol, int toRow);
    std::vector<engine::CarriedCell> carry(const RangeRef& block);
    void clearBlock(const RangeRef& block, engine::CellList& touched);
    void place(std::vector<engine::CarriedCell>& items, int col, int row, engine::CellList& touched,
               std::vector<std::uint32_t>& placed);
    void finishBlocks(const engine::CellList& touched, std::span<const std::uint32_t> placed);

    // --- what functions see (FunctionHost.cpp)
    FnContext& functionContext() override { return *this; }
    Value callCustom(std::wstring_view name, std::span<const FnArg> args) override;
    const Value& cell(int col, int row) const override;
    void forEachNonEmpty(const RangeRef& range,
                         FunctionRef<bool(int col, int row, const Value& v)> visit) const override;
    RangeStats numberStats(const RangeRef& range) const override;
    double now() const override;
    double random() override;

    engine::CellStore cells;
    engine::DependencyIndex deps;
    engine::ProgramPool pool;
    engine::ProgramBuilder scratch;
    std::vector<engine::FormulaState> states{1}; // by formula id; id 0 means "no formula"
    std::vector<engine::FormulaRec> formulas{1}; // by formula id, beside `states`
    std::vector<std::uint32_t> freeIds;
    std::vector<std::uint32_t> dirtyList;
    std::vector<std::uint32_t> volatileList;
    std::vector<engine::CustomEntry> customs;
    int maxCols = 0;
    int maxRows = 0;
    bool autoRecalc = true;
    std::function<double()> clock;
    std::mt19937_64 rng; // seeded from the system on the first RAND(): most sheets never ask
    bool rngSeeded = false;
    mutable engine::StatsCache stats;
    engine::EvalStack valueStack;        // operands of the evaluations in progress
    std::vector<std::uint32_t> passWork; // roots of the running pass
    engine::RunCode runCode;             // the run being computed
    std::vector<double> runValues;       // its inputs, block by block, one row per reference
    std::array<const double*, engine::kRunRefLimit> runInputs{}; // each reference's rows
    std::vector<std::uint8_t> runPlain; // per row of the block: every input a finite number
    std::vector<double> runStack;       // operands of the block, one row per stack level
    std::uint8_t runFlags = 0;          // the flags of the block's formulas, or-ed together
    bool runAllPlain = false;           // every row of the block came out a finite number

    // State of the running pass; a pass never nests on the same sheet.
    int passDepth = 0;
    std::uint32_t passId = 0;
    std::uint64_t epoch = 0;           // grows with every change a running pass must notice
    bool everything = false;           // the pass evaluates every formula, dirty or not
    std::uint64_t everythingEpoch = 0; // the epoch such a pass began in
    struct Frame {
        std::uint32_t id;
        std::uint32_t begin; // its children in `children`
        std::uint32_t pos;
        std::uint32_t end;
        bool selfLoop;
    };
    std::vector<Frame> frames;
    std::vector<std::uint32_t> children;
    std::vector<std::uint32_t> componentStack;
    std::vector<std::uint32_t> low;
    std::vector<std::pair<int, int>> markWork;
    std::vector<std::uint32_t> structureChanged; // formulas a structural change rewrote
    engine::CellList structureDropped;           // where cells pushed off the sheet would be

private:
    std::uint32_t liveFormulas_ = 0;
};

namespace engine {

// The cell index of a header address: kHeader and 0 both mean the header row or column.
inline int headerToZero(int index) {
    return index == kHeader ? 0 : index;
}

// Local date and time now, as a serial number.
double systemNow();

} // namespace engine

} // namespace gridx
