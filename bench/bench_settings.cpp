#include "platform/qt/ini_settings_store.h"
#include "settings/settings.h"
#include "support/memory_list_view.h"

#include <QFile>
#include <QLockFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A realistic file: every key of the program plus two stored lists of 100 rows.
void fillTypicalFile(tw::Settings& settings) {
    for (const char* key : {"Option1", "Weekly", "Weekly Time", "Text1", "Text2", "Text3", "Check1",
                            "Check2", "Option7", "Option6", "Windows Startup", "Minimized"})
        settings.save(key, "1");
    tw::MemoryListView list("ListView1");
    for (int i = 0; i < 100; ++i)
        list.addRow("/usr/local/bin/program-" + std::to_string(i));
    settings.saveList(list);
}

void BM_SaveSetting(benchmark::State& state) {
    QTemporaryDir dir;
    tw::IniSettingsStore store(dir.path().toStdString());
    tw::Settings settings(store);
    fillTypicalFile(settings);
    int i = 0;
    for (auto _ : state)
        settings.save("Text2", std::to_string(i++));
}
BENCHMARK(BM_SaveSetting)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

void BM_GetSetting(benchmark::State& state) {
    QTemporaryDir dir;
    tw::IniSettingsStore store(dir.path().toStdString());
    tw::Settings settings(store);
    fillTypicalFile(settings);
    for (auto _ : state)
        benchmark::DoNotOptimize(settings.get("Text2", "30"));
}
BENCHMARK(BM_GetSetting)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

// Row `edited` (none when 0) names another program.
tw::MemoryListView tenThousandRows(int edited = 0) {
    tw::MemoryListView list("ListView1");
    for (int i = 1; i <= 10000; ++i)
        list.addRow("/home/user/Programs/" + std::string(i == edited ? "Edited " : "Tool ") +
                    std::to_string(i) + "/bin/tool.sh");
    return list;
}

// Each save changes one row, as an edit does: the store leaves a value the file already holds
// as it is, so saving the same list again would write nothing.
void BM_SaveListItems10k(benchmark::State& state) {
    QTemporaryDir dir;
    tw::IniSettingsStore store(dir.path().toStdString());
    tw::Settings settings(store);
    const auto list = tenThousandRows();
    const auto edited = tenThousandRows(5000);
    bool even = false;
    for (auto _ : state)
        settings.saveList((even = !even) ? edited : list);
}
BENCHMARK(BM_SaveListItems10k)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

// The floor under a save of the same list: the file it leaves written again, whole, the way
// every save of the store must write (under the lock file, to a new file synced to disk and
// renamed into place), with nothing worked out.
void BM_SafeWriteFloor10k(benchmark::State& state) {
    QTemporaryDir dir;
    tw::IniSettingsStore store(dir.path().toStdString());
    tw::Settings settings(store);
    settings.saveList(tenThousandRows());
    const QString path = QString::fromStdString(store.filePath("Quillmark"));
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    for (auto _ : state) {
        QLockFile lock(path + ".lock");
        lock.lock();
        QSaveFile out(path);
        out.open(QIODevice::WriteOnly);
        out.write(bytes);
        out.commit();
    }
}
BENCHMARK(BM_SafeWriteFloor10k)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_LoadListItems10k(benchmark::State& state) {
    QTemporaryDir dir;
    tw::IniSettingsStore store(dir.path().toStdString());
    tw::Settings settings(store);
    settings.saveList(tenThousandRows());
    for (auto _ : state) {
        tw::MemoryListView list("ListView1");
        settings.loadList(list);
        benchmark::DoNotOptimize(list.count());
    }
}
BENCHMARK(BM_LoadListItems10k)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

} // namespace

BENCHMARK_MAIN();
