// Benchmarks of the standards evaluation through StartDlgStandardsSS, messages off:
// - the shipped EndPlate example (with its bolt-row child) against its example macro;
// - generated child-mode standards of 100, 1,000 and 10,000 calculation lines whose number of
//   variables grows along (one per ten lines), reported per line and per line x variable, so
//   that a cost growing faster than lines x variables shows as a rising second figure;
// - 10,000 evaluations in a row, with the pool's dialog count and the resident memory before
//   and after (both should stay flat).
#include "frame/ModuleEntry.h"
#include "frame/TrkSS.h"
#include "standards/KvDlgStandardsData.h"

#include "dbtrans.h"
#include "trk/MacroFile.h"
#include "trk/Trk_Settings.h"
#include "win/winreg.h"
#include "win/winx.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

void trkssRegisterResources(HINSTANCE module);

namespace {

const std::filesystem::path kLibrary = std::filesystem::path(TRK_SOURCE_DIR) / "examples/library";

// The example macro, read once; every evaluation computes the same outputs from its inputs, so
// evaluating it again and again measures the same work.
struct ExampleMacro {
    Trk_DbMacro macro;
    MacroData data;
    bool ok = false;

    ExampleMacro() {
        Trk_String error;
        const Trk_String file((kLibrary / "Macros/EndPlate.json").wstring());
        ok = readMacroFile(file, macro, data, error) == eOk;
    }
};

// The module loaded as the CAD program loads it, with the registry in a temporary file. main
// owns it, so that it is unloaded before the platform's own static objects go away.
class BenchModule {
public:
    BenchModule() {
        folder_ = std::filesystem::temp_directory_path() /
                  ("trk-bench-standards-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_ / "Connection Standards");
        (void)winx::setRegistryFile(folder_ / "registry.txt");
        instance_ = winx::attachModule(L"trkss");
        trkssRegisterResources(instance_);
        trkssDllMain(instance_, kProcessAttach);
        acrxEntryPoint(AcRx::kInitAppMsg, &appId_);
        gSettings.current.showStandardsMessages = false;
    }
    ~BenchModule() {
        acrxEntryPoint(AcRx::kUnloadAppMsg, &appId_);
        gSSDlgsMgr.destroyAll();
        trkssDllMain(instance_, kProcessDetach);
        std::error_code error;
        std::filesystem::remove_all(folder_, error);
    }
    BenchModule(const BenchModule&) = delete;
    BenchModule& operator=(const BenchModule&) = delete;

    // A library of generated standards (a folder of its own, beside the registry file).
    const std::filesystem::path& generatedLibrary() const { return folder_; }
    ExampleMacro& example() { return example_; }

private:
    std::filesystem::path folder_;
    HINSTANCE instance_ = nullptr;
    int appId_ = 0;
    ExampleMacro example_;
};

BenchModule* gModule = nullptr;

BenchModule& module() {
    return *gModule;
}

ExampleMacro& exampleMacro() {
    return module().example();
}

KvDlgStandardsData exampleRequest(AcTransaction* transaction) {
    ExampleMacro& example = exampleMacro();
    KvDlgStandardsData request;
    (void)request.initialize(&example.macro, L"EndPlate", L"Standard", &example.data);
    request.transaction = transaction;
    Trk_StringArray names;
    (void)getGeneralVariableNames(&example.macro, names);
    for (const auto& name : names) {
        request.genVarNames.append(name);
        request.genVarValues.append(
            Trk_String(generalVariableValue(&example.macro, name), 8, false));
    }
    return request;
}

void useExampleLibrary() {
    gSettings.setLibDir(Trk_String(kLibrary.wstring()));
}

void BM_ExampleEvaluation(benchmark::State& state) {
    useExampleLibrary();
    AcTransaction* transaction = actrTransactionManager->startTransaction();
    const KvDlgStandardsData prototype = exampleRequest(transaction);
    if (!exampleMacro().ok) state.SkipWithError("the example macro cannot be read");
    for (auto _ : state) {
        KvDlgStandardsData request = prototype;
        if (!StartDlgStandardsSS(request)) {
            state.SkipWithError("the example evaluation failed");
            break;
        }
        benchmark::DoNotOptimize(request.cells.length());
    }
    (void)actrTransactionManager->endTransaction();
    state.counters["evaluations/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ExampleEvaluation)->Unit(benchmark::kMicrosecond);

// A child-mode standard of `lines` calculation lines over one input, one output and
// lines / 10 locals: line i computes local i mod count from the one before it, so every line
// names two variables and the substitution walks every variable name.
std::string generatedSheet(int lines) {
    const int locals = lines / 10 + 1;
    const int rows = 4 + locals + 1 + lines + 1;
    std::string text = "gridsheet version=1\nsize cols=1 rows=" + std::to_string(rows) + "\n";
    int row = 1;
    auto cell = [&](const std::string& content) {
        text += "cell A" + std::to_string(row++) + " text=\"" + content + "\"\n";
    };
    cell("Input");
    cell("Double Seed");
    cell("Output");
    cell("Double Result");
    cell("Local");
    for (int i = 0; i < locals; ++i)
        cell("Double X_" + std::to_string(i));
    cell("Calc");
    cell("X_0 = Seed + 1");
    for (int i = 1; i < lines - 1; ++i)
        cell("X_" + std::to_string(i % locals) + " = X_" + std::to_string((i - 1) % locals) +
             " + 1");
    cell("Result = X_" + std::to_string((lines - 2) % locals) + " * 2");
    return text;
}

Trk_String writeGeneratedSheet(int lines) {
    const auto path = module().generatedLibrary() / "Connection Standards" /
                      ("Generated" + std::to_string(lines) + ".kvs");
    if (!std::filesystem::exists(path))
        std::ofstream(path, std::ios::binary) << generatedSheet(lines);
    return Trk_String(path.wstring());
}

KvDlgStandardsData generatedRequest(const Trk_String& sheet) {
    KvDlgStandardsData request;
    request.mode = 1;
    request.spreadsheet = sheet;
    KvVarCell seed;
    seed.name = L"Seed";
    seed.kind = KvCellType::Input;
    seed.value = L"1";
    KvVarCell result;
    result.name = L"Result";
    result.kind = KvCellType::Output;
    request.cells.append(seed);
    request.cells.append(result);
    return request;
}

void BM_GeneratedLines(benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    const int variables = lines / 10 + 1 + 2;
    const Trk_String sheet = writeGeneratedSheet(lines);
    gSettings.setLibDir(Trk_String(module().generatedLibrary().wstring()));
    const double expected = 2.0 * (1.0 + (lines - 1));
    for (auto _ : state) {
        KvDlgStandardsData request = generatedRequest(sheet);
        // Loose check: each line's result passes through a number cell of seven decimals.
        if (!StartDlgStandardsSS(request) ||
            std::abs(request.cells[1].value.asDouble() - expected) > 0.5) {
            state.SkipWithError("the generated standard did not compute its result");
            break;
        }
    }
    const double perRun = static_cast<double>(state.iterations());
    state.counters["lines"] = lines;
    state.counters["variables"] = variables;
    state.counters["s/line"] = benchmark::Counter(perRun * lines, benchmark::Counter::kIsRate |
                                                                      benchmark::Counter::kInvert);
    state.counters["s/(line*var)"] = benchmark::Counter(
        perRun * lines * variables, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_GeneratedLines)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Resident memory of this process in kilobytes.
double residentKilobytes() {
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / 1024.0;
}

void BM_TenThousandEvaluations(benchmark::State& state) {
    useExampleLibrary();
    AcTransaction* transaction = actrTransactionManager->startTransaction();
    const KvDlgStandardsData prototype = exampleRequest(transaction);
    KvDlgStandardsData warmUp = prototype;
    (void)StartDlgStandardsSS(warmUp);
    const double before = residentKilobytes();
    int failures = 0;
    for (auto _ : state) {
        for (int i = 0; i < 10000; ++i) {
            KvDlgStandardsData request = prototype;
            if (!StartDlgStandardsSS(request)) ++failures;
        }
    }
    (void)actrTransactionManager->endTransaction();
    state.counters["failures"] = failures;
    state.counters["pool dialogs"] = gSSDlgsMgr.dialogCount();
    state.counters["RSS before kB"] = before;
    state.counters["RSS after kB"] = residentKilobytes();
}
BENCHMARK(BM_TenThousandEvaluations)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    BenchModule loaded;
    gModule = &loaded;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
