// A broken Quorlink.dll: either an export is missing or Init refuses.
#include <cstdint>

extern "C" {
__declspec(dllexport) int Debug(int) {
  return 1;
}
__declspec(dllexport) int Init(int) {
  return TARVOLIN_STUB_INIT_RESULT;
}
__declspec(dllexport) int End() {
  return 1;
}
__declspec(dllexport) int RequestGetDeviceCount(const void*) {
  return 1;
}
__declspec(dllexport) int DeleteRequestFromUnitId(std::uint32_t) {
  return 1;
}
__declspec(dllexport) int DeleteRequestFromHandle(void*) {
  return 1;
}
__declspec(dllexport) int RequestWrite(const void*, const void*, int) {
  return 0;
}
__declspec(dllexport) int RequestWriteOne(const void*, const void*, int) {
  return 0;
}
__declspec(dllexport) int RequestStatusWrite(const void*, void*, std::uint32_t, const void*, int,
                                             std::uint32_t*) {
  return 0;
}
__declspec(dllexport) int RequestStatusGet(const void*, void*, int) {
  return 0;
}
__declspec(dllexport) int RequestAsyncRead(const void*, void*, std::uint32_t, std::uint32_t*) {
  return 0;
}
#if TARVOLIN_STUB_ALL_EXPORTS
__declspec(dllexport) int RequestStatusSetFeature(const void*, const void*, int) {
  return 0;
}
#endif
}
