// The benchmark archive: 1,000 types of 100 meters, each meter with 2 verifications of 10 results,
// generated once and shared by the benchmarks that measure the archive's windows.
#pragma once

#include <QString>

namespace BenchmarkArchive
{

constexpr int Types = 1000;
constexpr int MetersPerType = 100;
constexpr int VerificationsPerMeter = 2;
constexpr int ResultsPerVerification = 10;

// In the temporary folder, where every benchmark finds it.
QString DefaultPath();

// Creates the archive at path; false, with the reason on standard error, when it cannot.
bool Generate(const QString& path);

// Generates the archive when the file is missing, saying so on standard output.
bool Ensure(const QString& path);

} // namespace BenchmarkArchive
