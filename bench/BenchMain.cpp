// Runs the benchmarks and reports each one next to its baseline: a benchmark
// named "Group/Subject" is compared with "Group/baseline" of the same run, so
// the figures hold on any machine.

#include <algorithm>
#include <iomanip>
#include <iostream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include <benchmark/benchmark.h>

namespace {

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) {
                failed_ = true;
            }
            // With repetitions only the medians are compared: this machine is shared and noisy.
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            if ((median || single) && !run.error_occurred) {
                // Seconds per iteration, whatever unit the benchmark prints in.
                times_[run.run_name.str()] = run.real_accumulated_time / static_cast<double>(run.iterations);
            }
        }
    }

    void PrintRatios() const {
        std::cout << "\nRatio to the baseline of the same group (time / baseline time):\n";
        for (const auto& [name, time] : times_) {
            const auto slash = name.find('/');
            if (slash == std::string::npos || name.compare(slash + 1, 8, "baseline") == 0) {
                continue;
            }
            const auto baseline = times_.find(name.substr(0, slash) + "/baseline");
            if (baseline == times_.end() || baseline->second <= 0) {
                continue;
            }
            const double ratio = time / baseline->second;
            std::cout << "  " << std::left << std::setw(40) << name << std::right << std::fixed << std::setprecision(2)
                      << std::setw(8) << ratio << "x  (" << std::setprecision(2) << 1.0 / ratio
                      << " of baseline throughput)\n";
        }
    }

    // A benchmark was skipped with an error: its set-up or its subject failed.
    bool failed() const { return failed_; }

  private:
    std::map<std::string, double> times_;
    bool failed_ = false;
};

} // namespace

int main(int argc, char** argv) {
    // Five repetitions, medians only, unless the caller says otherwise.
    std::vector<char*> arguments(argv, argv + argc);
    std::string repetitions = "--benchmark_repetitions=5";
    std::string aggregates = "--benchmark_report_aggregates_only=true";
    if (std::none_of(arguments.begin(), arguments.end(),
                     [](const char* a) { return std::string_view(a).starts_with("--benchmark_repetitions"); })) {
        arguments.push_back(repetitions.data());
        arguments.push_back(aggregates.data());
    }
    argc = static_cast<int>(arguments.size());
    argv = arguments.data();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return reporter.failed() ? 1 : 0;
}
