#include "screens/multiple_pipes_screen.h"

namespace termiva {

Form4::Form4(Platform& platform, QWidget* parent) : QWidget(parent), platform_(platform) {}

void Form4::Form_Load() {}

} // namespace termiva
