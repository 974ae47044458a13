#include "platform/failure_log.h"

#include <cstdio>

void logFailure(const QString& reason) {
  const QString line = QString(reason).replace('\r', ' ').simplified();
  std::fprintf(stderr, "corvela: %s\n", qUtf8Printable(line));
  std::fflush(stderr);
}
