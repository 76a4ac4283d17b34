#pragma once

class QProcess;

namespace ServerProcess {

// Asks a test server to end, and kills it if it has not within five seconds,
// so that no server outlives its test.
void stop(QProcess& process);

} // namespace ServerProcess
