// The process entry. Lumivox reads no command line and no environment variable of its own.
#include "app/Main.h"

int main() {
  return LumivoxMain();
}
