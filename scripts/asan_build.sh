# Configures the sanitizer build in build-asan (sourced by test.sh and fuzz.sh).
# Optimised a little (-O1) so that the sanitized tests run in reasonable time; line tables only.
# Built with clang and instrumented for libFuzzer too (PICROWS_FUZZ), so that the same build
# runs the fuzz targets.
configure_asan_build() {
  if [ -f build-asan/CMakeCache.txt ] &&
    ! grep -q '^CMAKE_CXX_COMPILER:.*clang++' build-asan/CMakeCache.txt; then
    rm -rf build-asan # configured with another compiler
  fi
  CXX=clang++ cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" -DPICROWS_SANITIZE=ON -DPICROWS_FUZZ=ON \
    -DPICROWS_BENCH=OFF >/dev/null
}
