// Linked with one layer whole and the layers below it; never run.
int main()
{
    return 0;
}
