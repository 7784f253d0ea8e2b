// Keeps the core library non-empty until its first reader lands.
namespace trefolia_core_placeholder { int unused = 0; }
