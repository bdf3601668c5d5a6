// stmtpick: writes the statements of a query plan file as a SQL script.
#include "cli/run.h"

int main(int argc, char* argv[]) { return stmtpick::RunStmtpick(argc, argv); }
