#include "framework/TypeRegistry.h"

#include <map>
#include <set>
#include <utility>

namespace {

struct Registry {
  std::vector<std::pair<std::string, std::string>> types;  // name, base
  std::map<std::type_index, std::string> typeNames;
  std::set<std::string> plugins;
};

Registry& State() {
  static Registry registry;
  return registry;
}

}  // namespace

void RuntimeRegisterType(const std::string& name, std::type_index type, const std::string& base) {
  State().types.emplace_back(name, base);
  State().typeNames.insert_or_assign(type, name);
}

std::string RuntimeTypeName(std::type_index type) {
  auto it = State().typeNames.find(type);
  return it == State().typeNames.end() ? std::string() : it->second;
}

std::vector<std::string> RuntimeTypeNames() {
  std::vector<std::string> names;
  for (const auto& [name, base] : State().types) names.push_back(name);
  return names;
}

void RuntimeClearTypes() {
  State().types.clear();
  State().typeNames.clear();
}

void RuntimeLoadPlugin(const std::string& className) {
  State().plugins.insert(className);
}

bool RuntimePluginLoaded(const std::string& className) {
  return State().plugins.count(className) != 0;
}
