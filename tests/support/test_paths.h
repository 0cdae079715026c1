#pragma once
// Where the tests find their data, the built pattern bitmaps and the built lithora-cli. The
// paths live in one small file the build writes (test_paths.cpp), not in every test's compile
// flags: a build in another clone then takes every other test object from the compiler cache.
namespace lithora::test {

const char* testDataDir();
const char* patternsDir();
const char* cliPath();

}  // namespace lithora::test

#define LITHORA_TEST_DATA (::lithora::test::testDataDir())
#define LITHORA_PATTERNS_DIR (::lithora::test::patternsDir())
#define LITHORA_CLI (::lithora::test::cliPath())
