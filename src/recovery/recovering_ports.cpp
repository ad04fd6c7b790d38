#include "recovery/recovering_ports.h"

namespace rollkeep {

void RecoveringFileDialog::Show(void (FileDialog::*show)()) {
  keeper_.WriteNow();
  inner_.CancelError = CancelError;
  inner_.Filter = Filter;
  inner_.FilterIndex = FilterIndex;
  inner_.FileName = FileName;
  const auto takeBack = [this] {
    FileName = inner_.FileName;
    FilterIndex = inner_.FilterIndex;
  };
  try {
    (inner_.*show)();
  } catch (...) {
    takeBack();
    throw;
  }
  takeBack();
}

}  // namespace rollkeep
