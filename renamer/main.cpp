#include "platform/platform.h"
#include "renamer/driver.h"

int main(int argc, char** argv) {
  platform::InitProcess();
  const int exitCode = RunNorvel(platform::CommandLineArguments(argc, argv));
  platform::Flush();
  return exitCode;
}
