#pragma once

#include <cstddef>
#include <cstdint>

// Each fuzz target defines this one function, which libFuzzer calls with every input it makes;
// without libFuzzer, FuzzDriver.cpp calls it with inputs of its own mutation loop.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
