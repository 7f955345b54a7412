#include "screens/diagram.h"

// Placeholder until the table and chart screens land.

namespace termiva {

struct Diagram::State {};

Diagram::Diagram(QMdiArea*, Platform&) : state_(std::make_unique<State>()) {}
Diagram::~Diagram() = default;
void Diagram::run(Form3&) {}
Form5* Diagram::form5() const {
    return nullptr;
}
Form7* Diagram::form7() const {
    return nullptr;
}

} // namespace termiva
