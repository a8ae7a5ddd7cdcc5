#pragma once
// The line protocol with the measuring script outside Wine: events go out on stdout
// as "@name key=value ..."; a request ("?name ...") waits for the script's answer on
// stdin, so the script reads the processes at exactly that point of the run.
#include <string>

namespace morv::bench {

void Event(const std::string& line);
// Returns the script's answer line, or "" once stdin has closed.
std::string Request(const std::string& line);

}  // namespace morv::bench
