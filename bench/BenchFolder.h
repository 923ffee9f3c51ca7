// The scratch folder of one benchmark run, shared by every benchmark.
#pragma once

#include <filesystem>

// Created on first use, removed with everything in it when the run ends.
const std::filesystem::path& BenchDir();
