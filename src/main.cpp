// Entry point. Start-up and shut-down live in shell/startup.
int main() { return 0; }
