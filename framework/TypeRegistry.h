// Type information: every class the runtime knows, each with its base class's name, the
// framework's own first (RuntimeInitFrameworkTypes) and then the program's; and the plug-in
// control classes that have been loaded. Program's thread only.
#pragma once

#include <string>
#include <typeindex>
#include <typeinfo>
#include <vector>

void RuntimeRegisterType(const std::string& name, std::type_index type, const std::string& base);
template <typename T>
void RuntimeRegisterType(const std::string& name, const std::string& base) {
  RuntimeRegisterType(name, std::type_index(typeid(T)), base);
}
// The registered name of an object's class; empty when the class is not registered.
std::string RuntimeTypeName(std::type_index type);
// Every registered name, in the order of registration.
std::vector<std::string> RuntimeTypeNames();
// Forgets every registered class (RuntimeReleaseGlobals).
void RuntimeClearTypes();

// Makes a plug-in control class usable; creating one before this raises RuntimeException.
void RuntimeLoadPlugin(const std::string& className);
bool RuntimePluginLoaded(const std::string& className);
