// A stand-in for restarting the components whose hidden preferences the switches change. Those
// components do not exist here, so there is nothing to restart: it accepts any arguments and succeeds.
int main()
{
    return 0;
}
