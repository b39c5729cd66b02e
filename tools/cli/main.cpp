// tolvane-cli: the program's core without a window, for scripts.
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  (void)argv;
  if (argc < 2) {
    std::fputs("usage: tolvane-cli COMMAND ...\n", stderr);
    return 2;
  }
  return 2;
}
