#include "screens/vessel_screen.h"

namespace termiva {

Form2::Form2(Platform& platform, QWidget* parent) : QWidget(parent), platform_(platform) {}

void Form2::Form_Load() {}

} // namespace termiva
