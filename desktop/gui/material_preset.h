#pragma once

#include <QString>

namespace klankflits
{

// The material chosen before the settings window opens (on the command line):
// a material's key and an order's key (material/materials.h; empty for the
// first material and the material's own order), and for the own list the text
// of its box.
struct MaterialPreset {
    QString material_key;
    QString order_key;
    QString list_text;
};

} // namespace klankflits
