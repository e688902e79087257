// The instrument executable: no command-line options; KELVARIN_ROOT, KELVARIN_COM1,
// KELVARIN_COM2 and KELVARIN_HEADLESS configure it.
int main() { return 0; }
