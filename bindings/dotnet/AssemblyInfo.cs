using System.Reflection;

[assembly: AssemblyTitle("Kelmod.Net")]
[assembly: AssemblyDescription(".NET binding of the KELMOD toolbox (native library kelmod)")]
[assembly: AssemblyVersion("3.1.0.0")]
[assembly: AssemblyFileVersion("3.1.0.0")]
