#include "screens/input_file_actions.h"

// Placeholder: the shared save and load land next.

namespace termiva {

void SaveInputFile(Platform&, const InputFileBinding&) {}
void LoadInputFile(Platform&, const InputFileBinding&) {}

} // namespace termiva
