/* A library that only says which version it is, to try the version check. */
#ifdef STAND_IN_MAJOR
int GetDecoVersion(int* major, int* minor) {
  *major = STAND_IN_MAJOR;
  *minor = STAND_IN_MINOR;
  return 0;
}
#else
int OpenDecompressor(int* handle) {
  *handle = 1;
  return 0;
}
#endif
