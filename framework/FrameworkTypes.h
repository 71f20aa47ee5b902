// The framework's own entries in the runtime's type information.
#pragma once

// Registers the framework's classes, each under its name with its base class's name.
void RuntimeInitFrameworkTypes();
