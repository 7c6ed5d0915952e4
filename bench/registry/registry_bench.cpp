// Reads and writes per second through cRegistry, on a store in a temporary folder.
#include "common/c_registry.h"
#include "platform/registry/registry_codes.h"
#include "platform/registry/store_config.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

constexpr qint32 kUser = qint32(ks::registry::HKEY_CURRENT_USER);

cRegistry placement(qint32 type, const QString& name)
{
    cRegistry reg;
    reg.setClassKey(kUser);
    reg.setSectionKey(QStringLiteral("SOFTWARE\\Kestrune Bench"));
    reg.setValueKey(name);
    reg.setValueType(type);
    return reg;
}

void read(benchmark::State& state, qint32 type, const char* name, QVariant stored)
{
    auto reg = placement(type, QString::fromLatin1(name));
    reg.setValue(stored);
    for (auto _ : state)
        benchmark::DoNotOptimize(reg.Value());
    state.SetItemsProcessed(state.iterations());
}

void write(benchmark::State& state, qint32 type, const char* name, QVariant (*next)(qint32))
{
    auto reg = placement(type, QString::fromLatin1(name));
    qint32 n = 0;
    for (auto _ : state)
        reg.setValue(next(++n));
    state.SetItemsProcessed(state.iterations());
}

QVariant asText(qint32 n) { return QString::number(n); }
QVariant asNumber(qint32 n) { return n; }

BENCHMARK_CAPTURE(read, text, ks::registry::REG_SZ, "DontStartup", QStringLiteral("0"));
BENCHMARK_CAPTURE(write, text, ks::registry::REG_SZ, "Footer", asText);
BENCHMARK_CAPTURE(read, number, ks::registry::REG_DWORD, "WindowState", QVariant(2));
BENCHMARK_CAPTURE(write, number, ks::registry::REG_DWORD, "Left", asNumber);

}

int main(int argc, char** argv)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "ks-registry-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        return 1;
    ks::registry::configureStore(pattern + "/user", pattern);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ks::registry::configureStore(pattern + "/user", pattern); // closes the databases
    std::filesystem::remove_all(pattern);
    return 0;
}
