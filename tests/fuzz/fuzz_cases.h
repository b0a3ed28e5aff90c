#pragma once

#include <cstddef>
#include <cstdint>

// What each fuzz target does with one input, shared by the libFuzzer programs and the test that
// replays the inputs kept under tests/fuzz/regressions. A fault shows as a crash or a sanitizer
// report; refusing an input is the expected answer to most of them.
namespace fuzz_cases {

enum class Outcome
{
    Refused, // the host refused the input with its error, as it should damaged data
    Accepted,
};

// Makes what the host needs to run once per process: an offscreen GUI application (fonts for
// the renderer, image plugins), Qt's messages kept quiet.
void initialise();

// A workbook opened from the bytes through Workbooks.Open, as the batch command opens a file,
// then read as the commands read it: every worksheet's cells in use, shapes and pictures, and a
// render of its first cells (styles, drawings, picture decoding).
Outcome openWorkbook(const std::uint8_t* data, std::size_t size);

// A workbook opened from the bytes, saved as a new file and opened again: what the host wrote
// must open. A save the host refuses is an answer too.
Outcome resaveWorkbook(const std::uint8_t* data, std::size_t size);

// A picture file's bytes inserted as the host inserts a file (probed, decoded whole, turned
// upright, converted where it stores another format) and decoded again as drawn, whole and, for
// JPEG, at a smaller scale: every decoder the host uses.
Outcome decodePicture(const std::uint8_t* data, std::size_t size);

} // namespace fuzz_cases
