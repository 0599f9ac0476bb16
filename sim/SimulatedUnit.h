// A simulated signal unit behind a pseudo-terminal, for tests, the demo and benchmarks.
//
// The unit publishes its pseudo-terminal as an entry COMn (a symbolic link to the slave side) in
// a folder, which the port layer reads when KALVIO_DOSDEVICES names that folder. It answers the
// unit's command set with STX payload ETX frames, records every command it receives, and can be
// told to misbehave in the ways a real line does.
//
// Threading: one serving thread per unit. Every public member may be called from any thread.
//
// Replies: "OK" for an accepted setting; a refusal starts with "Fehler" and changes nothing
// ("Fehler: unbekannter Befehl", "Fehler: Parameter" for a wrong argument count or a malformed
// argument, "Fehler: Wertebereich", "Fehler: Befehl zu lang" beyond 2000 bytes). VERSION.HW
// answers "Orvatronic  sim" or "Orvatronic2 sim". While rebooting after "RESET" the unit still
// records what it hears but answers nothing.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace sim {

enum class DeviceKind { Orvatronic, Orvatronic2 };

// Misbehaviour on demand. Exactly one fault is active at a time; None is a healthy unit.
// Only the reply suffers: commands are still recorded and carried out, except under ErrorToAll.
enum class Fault {
    None,
    NoAnswer,          // reads commands, never replies
    GarbageBeforeStx,  // sends "AB" before each frame
    SlowBytes,         // pauses Options::slowByteMs between the bytes of a reply
    ErrorToAll,        // answers every command "Fehler: Stoerung" and changes nothing
    MissingEtx,        // sends STX and payload but no ETX
    OversizedReply,    // answers with a payload of Options::oversizedBytes bytes
    HoldXoff,          // sends DC3 (XOFF) once and then stays silent: the PC must stop sending
                       // (the DC3 goes out at the first command; leaving the fault sends DC1)
};

// Which signal the rotary switch serves (Orvatronic only).
enum class SwitchRole { None, Start, Speed };

// How the machine behind the unit moves its input.
enum class Motion {
    Drift,     // the input speed drifts slowly around its centre, the start input pulses
    Idle,      // the machine stands: input speed 0, no encoder edges, no start pulses
    Restless,  // the input speed jumps at every reading, as a rough encoder's does
};

// start() refuses values outside the ranges given here.
struct Options {
    unsigned portNumber = 5;  // published as COM<portNumber>, 1..256
    std::string folder;       // where COMn is published; empty: $KALVIO_DOSDEVICES
    DeviceKind device = DeviceKind::Orvatronic;
    std::string firmware = "V2.14 sim";  // at most 200 characters
    std::string stateFile;               // stored configuration survives restarts when set
    std::string logFile;                 // every received command is appended when set
    int rebootMs = 300;                  // silence after "RESET", 0..60000
    int slowByteMs = 50;                 // pause between bytes under Fault::SlowBytes, 0..10000
    std::size_t oversizedBytes = 12000;  // 1..1048576
    SwitchRole switchRole = SwitchRole::Start;
    unsigned switchPosition = 5;  // 0..15, the rotary switch's code lines
    Motion motion = Motion::Drift;
    Fault fault = Fault::None;
    // orvatronic-sim only: the fault that SIGUSR1 turns on while the unit runs (SIGUSR2 turns
    // any fault off again), so that a script can make a line misbehave at the moment it needs.
    Fault signalFault = Fault::None;
};

struct ReceivedCommand {
    std::chrono::steady_clock::time_point at;  // when its carriage return arrived
    std::string text;                          // without the carriage return
};

// The unit's settings, as held in its running configuration; the defaults are the factory
// settings that "START.RESET" and "SPEED.RESET" restore.
struct Settings {
    unsigned startMode = 0;
    unsigned startHighMs = 100;
    unsigned startLowMs = 100;
    unsigned startDelayMs = 0;
    unsigned startShiftMm = 0;
    unsigned speedMode = 0;
    int speedGenerator = 500;
    int speedFactor = 1000;
};

class SimulatedUnit {
  public:
    explicit SimulatedUnit(Options options);
    ~SimulatedUnit();  // stops serving and removes the published entry
    SimulatedUnit(const SimulatedUnit&) = delete;
    SimulatedUnit& operator=(const SimulatedUnit&) = delete;

    // Creates the pseudo-terminal, publishes COMn and starts serving. False (with errorText())
    // when an option is out of range, there is no folder, the log file cannot be opened, or the
    // pseudo-terminal or the entry cannot be made. Runs the stored configuration: from
    // Options::stateFile when that is acceptable, else what was stored before (factory at first).
    bool start();
    void stop();
    std::string errorText() const;

    std::string entryPath() const;  // <folder>/COMn
    std::string slavePath() const;  // /dev/pts/N while published, else empty

    void setFault(Fault fault);

    // Pulls the cable: closes the pseudo-terminal and removes COMn. reappear() plugs it back
    // in on a new pseudo-terminal under the same COMn. The configuration stays as it was.
    void vanish();
    bool reappear();

    std::vector<ReceivedCommand> commands() const;
    void clearCommands();
    // Polls until at least count commands were received or the deadline passes.
    bool waitForCommands(std::size_t count, std::chrono::milliseconds deadline) const;

    Settings settings() const;  // running configuration
    Settings storedSettings() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace sim
