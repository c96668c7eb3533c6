# Writes OUTPUT, a C++ source defining platform::sim::kDefaultMachineFragments from the JSON files given
# in INPUTS (a ;-list), in the order given.
set(content "// Generated from the default machine fragments; do not edit.\n#include <cstddef>\nnamespace platform::sim {\nextern const char* const kDefaultMachineFragments[];\nextern const std::size_t kDefaultMachineFragmentCount;\nconst char* const kDefaultMachineFragments[] = {\n")
set(count 0)
foreach(input IN LISTS INPUTS)
    file(READ "${input}" text)
    string(APPEND content "R\"tw_json(${text})tw_json\",\n")
    math(EXPR count "${count} + 1")
endforeach()
string(APPEND content "};\nconst std::size_t kDefaultMachineFragmentCount = ${count};\n}\n")
file(WRITE "${OUTPUT}.tmp" "${content}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
